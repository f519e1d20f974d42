#!/usr/bin/python3
# Writes statement files in the shapes Chinese online banking exports, with writers independent of
# the program (python3's codecs and zipfile, python3-xlwt):  statement_files.py KIND PATH
import datetime, sys, zipfile

TEXT = {
    # GBK, preamble lines, 借方发生额/贷方发生额, a balance-only opening line, a closing total row.
    'gbk_preamble': ('gbk',
        '中国工商银行账户历史明细\r\n'
        '账号,1234567890123456789\r\n'
        '户名,上海某某贸易有限公司\r\n'
        '起止日期,2024-03-01 至 2024-03-31\r\n'
        '\r\n'
        '交易日期,摘要,借方发生额,贷方发生额,余额,对方户名,交易流水号\r\n'
        '2024-03-01,上日余额,,,"10,000.00",,\r\n'
        '2024-03-05 10:21:33,货款,,"5,000.00","15,000.00",华东商贸,A0001\r\n'
        '2024-03-06 09:00:00,付材料款,"3,200.50",,"11,799.50",宏达材料厂,A0002\r\n'
        '2024-03-31,结息,,1.25,"11,800.75",,A0003\r\n'
        '合计,,"3,200.50","5,001.25",,,\r\n'),
    # UTF-8 with BOM, 交易金额 with a 借贷标志 column, two equal withdrawals at the same second.
    'bom_flag': ('utf-8-sig',
        '交易时间,交易金额,借贷标志,账户余额,对方账户名称,用途,凭证号\n'
        '2024/3/5 14:02,500.00,贷,8500.00,张三,还款,P01\n'
        '2024/3/7 08:05:09,200.00,借,8300.00,李四,报销,P02\n'
        '2024/3/7 08:05:09,200.00,借,8100.00,李四,报销,P03\n'),
    # Dates without separators, thousands separators and currency signs, no BOM.
    'separators': ('utf-8',
        '日期,附言,收入,支出,余额,流水号\n'
        '20240302,销售款,"¥12,345.67",,"¥112,345.67",S1\n'
        '20240303 153000,手续费,,￥5.00,"¥112,340.67",S2\n'),
    # Titles no bank uses: only a mapping by hand reads it.
    'odd_titles': ('utf-8',
        '记录时间,说明,进账,出账\n'
        '2024-03-08,退款,66.00,\n'),
    'no_header': ('utf-8', '编号,名称,数量\n1,螺丝,30\n2,螺母,40\n'),
    # The second line's balance misses a line of 20.00 before it.
    'balance_break': ('utf-8',
        '交易日期,摘要,收入,支出,余额\n'
        '2024-03-01,存入,100.00,,100.00\n'
        '2024-03-02,存入,10.00,,130.00\n'),
    'text_as_xls': ('utf-8', '交易日期,摘要,收入,支出\n2024-03-01,存入,100.00,\n'),
}


def xls(path):
    import xlwt
    wb = xlwt.Workbook(encoding='utf-8')
    ws = wb.add_sheet('账户明细')
    day = xlwt.easyxf(num_format_str='yyyy-mm-dd')
    ws.write(0, 0, '中国建设银行 账户明细')
    ws.write(1, 0, '账号：6217000012345678')
    for c, title in enumerate(['记账日期', '交易摘要', '支出金额', '收入金额', '余额', '对方户名', '流水号']):
        ws.write(3, c, title)
    # Newest first, as this bank lists them.
    rows = [(datetime.date(2024, 3, 20), '工资', None, 8000, 20000.5, '某某公司', 'X3'),
            (datetime.date(2024, 3, 10), '取现', 1000, None, 12000.5, '', 'X2'),
            (datetime.date(2024, 3, 1), '利息', None, 0.5, 13000.5, '', 'X1')]
    for r, row in enumerate(rows, start=4):
        for c, v in enumerate(row):
            if v is None:
                continue
            ws.write(r, c, v, day) if c == 0 else ws.write(r, c, v)
    wb.save(path)


def xlsx(path):
    ns = 'http://schemas.openxmlformats.org/spreadsheetml/2006/main'
    strings = ['交易日期', '交易时间', '摘要', '存入', '支取', '余额', '对方户名', '流水号', '转账收入', '电费', '天河物业', '供电局']
    def s(i): return '<c t="s"><v>%d</v></c>' % i
    def n(v, style=0): return '<c s="%d"><v>%s</v></c>' % (style, v)
    def t(v): return '<c t="inlineStr"><is><t>%s</t></is></c>' % v
    rows = [
        '<row r="1">' + t('交易明细（广发银行）') + '</row>',
        '<row r="2">' + ''.join(s(i) for i in range(8)) + '</row>',
        '<row r="3">' + n(45360, 1) + t('09:15:00') + s(8) + n(2600) + t('') + n(7600) + s(10) + t('G1') + '</row>',
        '<row r="4">' + n(45362, 1) + t('16:40:12') + s(9) + t('') + n(312.8) + n(7287.2) + s(11) + t('G2') + '</row>',
    ]
    parts = {
        '[Content_Types].xml': '<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/></Types>',
        '_rels/.rels': '<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>',
        'xl/workbook.xml': '<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="%s" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="明细" sheetId="1" r:id="rId1"/></sheets></workbook>' % ns,
        'xl/_rels/workbook.xml.rels': '<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/></Relationships>',
        'xl/sharedStrings.xml': '<?xml version="1.0" encoding="UTF-8"?><sst xmlns="%s">' % ns + ''.join('<si><t>%s</t></si>' % x for x in strings) + '</sst>',
        'xl/styles.xml': '<?xml version="1.0" encoding="UTF-8"?><styleSheet xmlns="%s"><cellXfs count="2"><xf numFmtId="0"/><xf numFmtId="14"/></cellXfs></styleSheet>' % ns,
        'xl/worksheets/sheet1.xml': '<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="%s"><sheetData>' % ns + ''.join(rows) + '</sheetData></worksheet>',
    }
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
        for name, text in parts.items():
            z.writestr(name, text.encode('utf-8'))


kind, path = sys.argv[1], sys.argv[2]
if kind == 'xls':
    xls(path)
elif kind == 'xlsx':
    xlsx(path)
elif kind == 'wrong_encoding':
    open(path, 'wb').write('交易日期,摘要\n'.encode('utf-8') + b'2024-03-01,Caf\xe9 \x80\n')
elif kind == 'empty':
    open(path, 'wb').close()
else:
    encoding, text = TEXT[kind]
    open(path, 'wb').write(text.encode(encoding))
