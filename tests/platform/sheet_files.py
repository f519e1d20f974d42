#!/usr/bin/python3
# Writes the files the sheet reader tests read back, with writers independent of the program:
#   encode PATH ENCODING TEXT   text in an encoding python names ("gbk", "utf-8-sig", "utf-16")
#   xls PATH                    a workbook written by python3-xlwt
#   xlsx PATH                   a workbook whose parts are written here by hand: shared strings with
#                               a rich run and a phonetic reading, an inline string, a skipped row,
#                               a gap between cells, a built-in and a custom date format
#   zip PATH                    a zip file without a workbook
import sys, zipfile


def encode(path, encoding, text):
    open(path, 'wb').write(text.encode(encoding))


def xls(path):
    import datetime, xlwt
    wb = xlwt.Workbook(encoding='utf-8')
    ws = wb.add_sheet('明细')
    ws.write(0, 0, '中国建设银行个人活期账户明细')
    ws.write(1, 0, '账号：6217000012345678')
    ws.write(3, 0, '交易日期'); ws.write(3, 1, '摘要'); ws.write(3, 2, '金额'); ws.write(3, 3, '余额')
    ws.write(4, 0, datetime.date(2024, 3, 5), xlwt.easyxf(num_format_str='yyyy-mm-dd'))
    ws.write(4, 1, '  货款  '); ws.write(4, 2, 1234.5); ws.write(4, 3, 0.1)
    ws.write(5, 0, datetime.datetime(2024, 3, 6, 14, 30, 5), xlwt.easyxf(num_format_str='yyyy-mm-dd hh:mm:ss'))
    ws.write(5, 1, '手续费'); ws.write(5, 2, -12); ws.write(5, 3, 1222.6)
    ws.write(6, 1, '空日期行')
    wb.add_sheet('其他').write(0, 0, '第二张表不读')
    wb.save(path)


def xlsx(path):
    parts = {
     '[Content_Types].xml': '<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/></Types>',
     '_rels/.rels': '<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>',
     'xl/workbook.xml': '<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><workbookPr/><sheets><sheet name="交易明细" sheetId="7" r:id="rId9"/><sheet name="b" sheetId="1" r:id="rId1"/></sheets></workbook>',
     'xl/_rels/workbook.xml.rels': '<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="rId9" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/detail.xml"/></Relationships>',
     'xl/sharedStrings.xml': '<?xml version="1.0" encoding="UTF-8"?><sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="3" uniqueCount="3"><si><t>记账日期</t></si><si><r><t>交易</t></r><r><rPr><b/></rPr><t>摘要</t></r><rPh sb="0" eb="2"><t>ジャオイ</t></rPh></si><si><t xml:space="preserve"> 工资 </t></si></sst>',
     'xl/styles.xml': '<?xml version="1.0" encoding="UTF-8"?><styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><numFmts count="2"><numFmt numFmtId="164" formatCode="yyyy/m/d\\ h:mm"/><numFmt numFmtId="165" formatCode="&quot;CNY&quot;#,##0.00"/></numFmts><cellStyleXfs count="1"><xf numFmtId="0"/></cellStyleXfs><cellXfs count="4"><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="164"/><xf numFmtId="165"/></cellXfs></styleSheet>',
     'xl/worksheets/sheet1.xml': '<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>不读这张表</t></is></c></row></sheetData></worksheet>',
     'xl/worksheets/detail.xml': '<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>'
       '<row r="1"><c r="A1" t="inlineStr"><is><t>账户明细查询</t></is></c></row>'
       '<row r="3"><c r="A3" t="s"><v>0</v></c><c r="B3" t="s"><v>1</v></c><c r="D3" t="inlineStr"><is><t>收入金额</t></is></c></row>'
       '<row r="4"><c r="A4" s="1"><v>45356</v></c><c r="B4" t="s"><v>2</v></c><c r="D4" s="3"><v>8000.25</v></c></row>'
       '<row r="5"><c r="A5" s="2"><v>45357.604166666664</v></c><c r="B5" t="str"><f>"利息"</f><v>利息</v></c><c r="D5"><v>0.3</v></c></row>'
       '</sheetData></worksheet>',
    }
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
        for name, text in parts.items():
            z.writestr(name, text.encode('utf-8'))


def other_zip(path):
    zipfile.ZipFile(path, 'w').writestr('a.txt', 'x')


kind = sys.argv[1]
if kind == 'encode':
    encode(sys.argv[2], sys.argv[3], sys.argv[4])
elif kind == 'xls':
    xls(sys.argv[2])
elif kind == 'xlsx':
    xlsx(sys.argv[2])
elif kind == 'zip':
    other_zip(sys.argv[2])
