-- Operation log: one row per change of the books and per event the program reports, written by
-- the database itself so that no code path and no other program using the file escapes it.
-- The triggers call two functions that the program registers on its connection:
--   CurrentOperator()          the logged-in operator;
--   LogChain(previous, content) lower-case hex SHA-256 of previous || content (previous NULL: '').
-- A row's content is its fields joined by char(31), NULL as '':
--   XuHao, ShiJian, CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiQian, XiuGaiHou
-- Before and after values are JSON objects in SQLite's compact form ({"col":value,...}, columns in
-- table order): only the changed columns for a change, the whole row for an insert or delete.

-- The new right: the window of the log, granted to those who keep the operators.
ALTER TABLE tuser ADD COLUMN F16 INTEGER CHECK (F16 IN (0, 1));
UPDATE tuser SET F16 = CASE WHEN F2 = 1 THEN 1 ELSE 0 END;

CREATE TABLE CaoZuoRiZhi (
  XuHao      INTEGER PRIMARY KEY AUTOINCREMENT,
  ShiJian    TEXT NOT NULL DEFAULT (strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime'))
             CHECK (ShiJian GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'),
  CaoZuoYuan TEXT COLLATE NOCASE,
  LeiBie     TEXT NOT NULL COLLATE NOCASE,
  BiaoMing   TEXT COLLATE NOCASE,
  JiLuHao    TEXT,
  XiuGaiQian TEXT,
  XiuGaiHou  TEXT,
  JiaoYanZhi TEXT
);

-- The window filters by time, operator, kind and table, newest first.
CREATE INDEX CaoZuoRiZhi_ShiJian ON CaoZuoRiZhi (ShiJian);
CREATE INDEX CaoZuoRiZhi_CaoZuoYuan ON CaoZuoRiZhi (CaoZuoYuan);
CREATE INDEX CaoZuoRiZhi_LeiBie ON CaoZuoRiZhi (LeiBie);
CREATE INDEX CaoZuoRiZhi_BiaoMing ON CaoZuoRiZhi (BiaoMing);

-- The chain value is always the database's own: a new row comes without one, and gets it at once.
CREATE TRIGGER CaoZuoRiZhi_new BEFORE INSERT ON CaoZuoRiZhi
WHEN NEW.JiaoYanZhi IS NOT NULL
BEGIN
  SELECT RAISE(ABORT, '操作日志的校验值由数据库生成');
END;

CREATE TRIGGER CaoZuoRiZhi_chain AFTER INSERT ON CaoZuoRiZhi
BEGIN
  UPDATE CaoZuoRiZhi SET JiaoYanZhi = LogChain(
    (SELECT JiaoYanZhi FROM CaoZuoRiZhi WHERE XuHao < NEW.XuHao ORDER BY XuHao DESC LIMIT 1),
    NEW.XuHao || char(31) || NEW.ShiJian || char(31) || coalesce(NEW.CaoZuoYuan, '') || char(31) || NEW.LeiBie
      || char(31) || coalesce(NEW.BiaoMing, '') || char(31) || coalesce(NEW.JiLuHao, '')
      || char(31) || coalesce(NEW.XiuGaiQian, '') || char(31) || coalesce(NEW.XiuGaiHou, ''))
  WHERE XuHao = NEW.XuHao;
END;

-- Nobody changes or removes a log row; the one update allowed is the chain value of a new row.
CREATE TRIGGER CaoZuoRiZhi_keep BEFORE UPDATE ON CaoZuoRiZhi
WHEN OLD.JiaoYanZhi IS NOT NULL OR NEW.XuHao IS NOT OLD.XuHao OR NEW.ShiJian IS NOT OLD.ShiJian
  OR NEW.CaoZuoYuan IS NOT OLD.CaoZuoYuan COLLATE BINARY OR NEW.LeiBie IS NOT OLD.LeiBie COLLATE BINARY
  OR NEW.BiaoMing IS NOT OLD.BiaoMing COLLATE BINARY OR NEW.JiLuHao IS NOT OLD.JiLuHao
  OR NEW.XiuGaiQian IS NOT OLD.XiuGaiQian OR NEW.XiuGaiHou IS NOT OLD.XiuGaiHou
BEGIN
  SELECT RAISE(ABORT, '操作日志不能修改');
END;

CREATE TRIGGER CaoZuoRiZhi_remove BEFORE DELETE ON CaoZuoRiZhi
BEGIN
  SELECT RAISE(ABORT, '操作日志不能删除');
END;

-- Every change of the books. The balance rewrite sets only YuE, so it fires no update trigger;
-- an update that changes nothing but YuE is no event either. A password is never written here.
-- XJRJZ
CREATE TRIGGER CaoZuoRiZhi_XJRJZ_insert AFTER INSERT ON XJRJZ
BEGIN
  INSERT INTO CaoZuoRiZhi (CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiHou)
  VALUES (CurrentOperator(), '新增', 'XJRJZ', NEW.autoID, json_object('autoID', NEW.autoID, 'YeWuRQ', NEW.YeWuRQ, 'PingZhengNo', NEW.PingZhengNo, 'ZhanYao', NEW.ZhanYao, 'Detail', NEW.Detail, 'ZhanYaoType', NEW.ZhanYaoType, 'QCJE', NEW.QCJE, 'JieFang', NEW.JieFang, 'DaiFang', NEW.DaiFang, 'YuE', NEW.YuE, 'JingBR', NEW.JingBR, 'Fillter', NEW.Fillter, 'FilltDate', NEW.FilltDate, 'Remark', NEW.Remark, 'faPiaoDW', NEW.faPiaoDW, 'KeMuDM', NEW.KeMuDM, 'MakeTime', NEW.MakeTime, 'JieZhuanYue', NEW.JieZhuanYue));
END;

CREATE TRIGGER CaoZuoRiZhi_XJRJZ_update AFTER UPDATE OF autoID, YeWuRQ, PingZhengNo, ZhanYao, Detail, ZhanYaoType, QCJE, JieFang, DaiFang, JingBR, Fillter, FilltDate, Remark, faPiaoDW, KeMuDM, MakeTime, JieZhuanYue ON XJRJZ
WHEN OLD.autoID IS NOT NEW.autoID COLLATE BINARY OR OLD.YeWuRQ IS NOT NEW.YeWuRQ COLLATE BINARY OR OLD.PingZhengNo IS NOT NEW.PingZhengNo COLLATE BINARY OR OLD.ZhanYao IS NOT NEW.ZhanYao COLLATE BINARY OR OLD.Detail IS NOT NEW.Detail COLLATE BINARY OR OLD.ZhanYaoType IS NOT NEW.ZhanYaoType COLLATE BINARY OR OLD.QCJE IS NOT NEW.QCJE COLLATE BINARY OR OLD.JieFang IS NOT NEW.JieFang COLLATE BINARY OR OLD.DaiFang IS NOT NEW.DaiFang COLLATE BINARY OR OLD.JingBR IS NOT NEW.JingBR COLLATE BINARY OR OLD.Fillter IS NOT NEW.Fillter COLLATE BINARY OR OLD.FilltDate IS NOT NEW.FilltDate COLLATE BINARY OR OLD.Remark IS NOT NEW.Remark COLLATE BINARY OR OLD.faPiaoDW IS NOT NEW.faPiaoDW COLLATE BINARY OR OLD.KeMuDM IS NOT NEW.KeMuDM COLLATE BINARY OR OLD.MakeTime IS NOT NEW.MakeTime COLLATE BINARY OR OLD.JieZhuanYue IS NOT NEW.JieZhuanYue COLLATE BINARY
BEGIN
  INSERT INTO CaoZuoRiZhi (CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiQian, XiuGaiHou)
  VALUES (CurrentOperator(), '修改', 'XJRJZ', NEW.autoID,
    '{' || substr(
      CASE WHEN OLD.autoID IS NOT NEW.autoID COLLATE BINARY THEN ',"autoID":' || json_quote(OLD.autoID) ELSE '' END ||
      CASE WHEN OLD.YeWuRQ IS NOT NEW.YeWuRQ COLLATE BINARY THEN ',"YeWuRQ":' || json_quote(OLD.YeWuRQ) ELSE '' END ||
      CASE WHEN OLD.PingZhengNo IS NOT NEW.PingZhengNo COLLATE BINARY THEN ',"PingZhengNo":' || json_quote(OLD.PingZhengNo) ELSE '' END ||
      CASE WHEN OLD.ZhanYao IS NOT NEW.ZhanYao COLLATE BINARY THEN ',"ZhanYao":' || json_quote(OLD.ZhanYao) ELSE '' END ||
      CASE WHEN OLD.Detail IS NOT NEW.Detail COLLATE BINARY THEN ',"Detail":' || json_quote(OLD.Detail) ELSE '' END ||
      CASE WHEN OLD.ZhanYaoType IS NOT NEW.ZhanYaoType COLLATE BINARY THEN ',"ZhanYaoType":' || json_quote(OLD.ZhanYaoType) ELSE '' END ||
      CASE WHEN OLD.QCJE IS NOT NEW.QCJE COLLATE BINARY THEN ',"QCJE":' || json_quote(OLD.QCJE) ELSE '' END ||
      CASE WHEN OLD.JieFang IS NOT NEW.JieFang COLLATE BINARY THEN ',"JieFang":' || json_quote(OLD.JieFang) ELSE '' END ||
      CASE WHEN OLD.DaiFang IS NOT NEW.DaiFang COLLATE BINARY THEN ',"DaiFang":' || json_quote(OLD.DaiFang) ELSE '' END ||
      CASE WHEN OLD.YuE IS NOT NEW.YuE COLLATE BINARY THEN ',"YuE":' || json_quote(OLD.YuE) ELSE '' END ||
      CASE WHEN OLD.JingBR IS NOT NEW.JingBR COLLATE BINARY THEN ',"JingBR":' || json_quote(OLD.JingBR) ELSE '' END ||
      CASE WHEN OLD.Fillter IS NOT NEW.Fillter COLLATE BINARY THEN ',"Fillter":' || json_quote(OLD.Fillter) ELSE '' END ||
      CASE WHEN OLD.FilltDate IS NOT NEW.FilltDate COLLATE BINARY THEN ',"FilltDate":' || json_quote(OLD.FilltDate) ELSE '' END ||
      CASE WHEN OLD.Remark IS NOT NEW.Remark COLLATE BINARY THEN ',"Remark":' || json_quote(OLD.Remark) ELSE '' END ||
      CASE WHEN OLD.faPiaoDW IS NOT NEW.faPiaoDW COLLATE BINARY THEN ',"faPiaoDW":' || json_quote(OLD.faPiaoDW) ELSE '' END ||
      CASE WHEN OLD.KeMuDM IS NOT NEW.KeMuDM COLLATE BINARY THEN ',"KeMuDM":' || json_quote(OLD.KeMuDM) ELSE '' END ||
      CASE WHEN OLD.MakeTime IS NOT NEW.MakeTime COLLATE BINARY THEN ',"MakeTime":' || json_quote(OLD.MakeTime) ELSE '' END ||
      CASE WHEN OLD.JieZhuanYue IS NOT NEW.JieZhuanYue COLLATE BINARY THEN ',"JieZhuanYue":' || json_quote(OLD.JieZhuanYue) ELSE '' END, 2) || '}',
    '{' || substr(
      CASE WHEN OLD.autoID IS NOT NEW.autoID COLLATE BINARY THEN ',"autoID":' || json_quote(NEW.autoID) ELSE '' END ||
      CASE WHEN OLD.YeWuRQ IS NOT NEW.YeWuRQ COLLATE BINARY THEN ',"YeWuRQ":' || json_quote(NEW.YeWuRQ) ELSE '' END ||
      CASE WHEN OLD.PingZhengNo IS NOT NEW.PingZhengNo COLLATE BINARY THEN ',"PingZhengNo":' || json_quote(NEW.PingZhengNo) ELSE '' END ||
      CASE WHEN OLD.ZhanYao IS NOT NEW.ZhanYao COLLATE BINARY THEN ',"ZhanYao":' || json_quote(NEW.ZhanYao) ELSE '' END ||
      CASE WHEN OLD.Detail IS NOT NEW.Detail COLLATE BINARY THEN ',"Detail":' || json_quote(NEW.Detail) ELSE '' END ||
      CASE WHEN OLD.ZhanYaoType IS NOT NEW.ZhanYaoType COLLATE BINARY THEN ',"ZhanYaoType":' || json_quote(NEW.ZhanYaoType) ELSE '' END ||
      CASE WHEN OLD.QCJE IS NOT NEW.QCJE COLLATE BINARY THEN ',"QCJE":' || json_quote(NEW.QCJE) ELSE '' END ||
      CASE WHEN OLD.JieFang IS NOT NEW.JieFang COLLATE BINARY THEN ',"JieFang":' || json_quote(NEW.JieFang) ELSE '' END ||
      CASE WHEN OLD.DaiFang IS NOT NEW.DaiFang COLLATE BINARY THEN ',"DaiFang":' || json_quote(NEW.DaiFang) ELSE '' END ||
      CASE WHEN OLD.YuE IS NOT NEW.YuE COLLATE BINARY THEN ',"YuE":' || json_quote(NEW.YuE) ELSE '' END ||
      CASE WHEN OLD.JingBR IS NOT NEW.JingBR COLLATE BINARY THEN ',"JingBR":' || json_quote(NEW.JingBR) ELSE '' END ||
      CASE WHEN OLD.Fillter IS NOT NEW.Fillter COLLATE BINARY THEN ',"Fillter":' || json_quote(NEW.Fillter) ELSE '' END ||
      CASE WHEN OLD.FilltDate IS NOT NEW.FilltDate COLLATE BINARY THEN ',"FilltDate":' || json_quote(NEW.FilltDate) ELSE '' END ||
      CASE WHEN OLD.Remark IS NOT NEW.Remark COLLATE BINARY THEN ',"Remark":' || json_quote(NEW.Remark) ELSE '' END ||
      CASE WHEN OLD.faPiaoDW IS NOT NEW.faPiaoDW COLLATE BINARY THEN ',"faPiaoDW":' || json_quote(NEW.faPiaoDW) ELSE '' END ||
      CASE WHEN OLD.KeMuDM IS NOT NEW.KeMuDM COLLATE BINARY THEN ',"KeMuDM":' || json_quote(NEW.KeMuDM) ELSE '' END ||
      CASE WHEN OLD.MakeTime IS NOT NEW.MakeTime COLLATE BINARY THEN ',"MakeTime":' || json_quote(NEW.MakeTime) ELSE '' END ||
      CASE WHEN OLD.JieZhuanYue IS NOT NEW.JieZhuanYue COLLATE BINARY THEN ',"JieZhuanYue":' || json_quote(NEW.JieZhuanYue) ELSE '' END, 2) || '}');
END;

-- A data initialisation logs one row for the whole journal just before it empties it.
CREATE TRIGGER CaoZuoRiZhi_XJRJZ_delete AFTER DELETE ON XJRJZ
WHEN NOT EXISTS (SELECT 1 FROM CaoZuoRiZhi WHERE XuHao = (SELECT max(XuHao) FROM CaoZuoRiZhi)
                 AND LeiBie = '数据初始化' AND BiaoMing = 'XJRJZ')
BEGIN
  INSERT INTO CaoZuoRiZhi (CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiQian)
  VALUES (CurrentOperator(), '删除', 'XJRJZ', OLD.autoID, json_object('autoID', OLD.autoID, 'YeWuRQ', OLD.YeWuRQ, 'PingZhengNo', OLD.PingZhengNo, 'ZhanYao', OLD.ZhanYao, 'Detail', OLD.Detail, 'ZhanYaoType', OLD.ZhanYaoType, 'QCJE', OLD.QCJE, 'JieFang', OLD.JieFang, 'DaiFang', OLD.DaiFang, 'YuE', OLD.YuE, 'JingBR', OLD.JingBR, 'Fillter', OLD.Fillter, 'FilltDate', OLD.FilltDate, 'Remark', OLD.Remark, 'faPiaoDW', OLD.faPiaoDW, 'KeMuDM', OLD.KeMuDM, 'MakeTime', OLD.MakeTime, 'JieZhuanYue', OLD.JieZhuanYue));
END;

-- YHRJZ
CREATE TRIGGER CaoZuoRiZhi_YHRJZ_insert AFTER INSERT ON YHRJZ
BEGIN
  INSERT INTO CaoZuoRiZhi (CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiHou)
  VALUES (CurrentOperator(), '新增', 'YHRJZ', NEW.autoID, json_object('autoID', NEW.autoID, 'yewuRQ', NEW.yewuRQ, 'PingZhengNo', NEW.PingZhengNo, 'Zhanyao', NEW.Zhanyao, 'Detail', NEW.Detail, 'Shuxing', NEW.Shuxing, 'JieFang', NEW.JieFang, 'DaiFang', NEW.DaiFang, 'YuE', NEW.YuE, 'JingBR', NEW.JingBR, 'Fillter', NEW.Fillter, 'FilltDate', NEW.FilltDate, 'Remark', NEW.Remark, 'KaiHuBank', NEW.KaiHuBank, 'FaPiaoDW', NEW.FaPiaoDW, 'KeMuDM', NEW.KeMuDM, 'JieZhuanYue', NEW.JieZhuanYue));
END;

CREATE TRIGGER CaoZuoRiZhi_YHRJZ_update AFTER UPDATE OF autoID, yewuRQ, PingZhengNo, Zhanyao, Detail, Shuxing, JieFang, DaiFang, JingBR, Fillter, FilltDate, Remark, KaiHuBank, FaPiaoDW, KeMuDM, JieZhuanYue ON YHRJZ
WHEN OLD.autoID IS NOT NEW.autoID COLLATE BINARY OR OLD.yewuRQ IS NOT NEW.yewuRQ COLLATE BINARY OR OLD.PingZhengNo IS NOT NEW.PingZhengNo COLLATE BINARY OR OLD.Zhanyao IS NOT NEW.Zhanyao COLLATE BINARY OR OLD.Detail IS NOT NEW.Detail COLLATE BINARY OR OLD.Shuxing IS NOT NEW.Shuxing COLLATE BINARY OR OLD.JieFang IS NOT NEW.JieFang COLLATE BINARY OR OLD.DaiFang IS NOT NEW.DaiFang COLLATE BINARY OR OLD.JingBR IS NOT NEW.JingBR COLLATE BINARY OR OLD.Fillter IS NOT NEW.Fillter COLLATE BINARY OR OLD.FilltDate IS NOT NEW.FilltDate COLLATE BINARY OR OLD.Remark IS NOT NEW.Remark COLLATE BINARY OR OLD.KaiHuBank IS NOT NEW.KaiHuBank COLLATE BINARY OR OLD.FaPiaoDW IS NOT NEW.FaPiaoDW COLLATE BINARY OR OLD.KeMuDM IS NOT NEW.KeMuDM COLLATE BINARY OR OLD.JieZhuanYue IS NOT NEW.JieZhuanYue COLLATE BINARY
BEGIN
  INSERT INTO CaoZuoRiZhi (CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiQian, XiuGaiHou)
  VALUES (CurrentOperator(), '修改', 'YHRJZ', NEW.autoID,
    '{' || substr(
      CASE WHEN OLD.autoID IS NOT NEW.autoID COLLATE BINARY THEN ',"autoID":' || json_quote(OLD.autoID) ELSE '' END ||
      CASE WHEN OLD.yewuRQ IS NOT NEW.yewuRQ COLLATE BINARY THEN ',"yewuRQ":' || json_quote(OLD.yewuRQ) ELSE '' END ||
      CASE WHEN OLD.PingZhengNo IS NOT NEW.PingZhengNo COLLATE BINARY THEN ',"PingZhengNo":' || json_quote(OLD.PingZhengNo) ELSE '' END ||
      CASE WHEN OLD.Zhanyao IS NOT NEW.Zhanyao COLLATE BINARY THEN ',"Zhanyao":' || json_quote(OLD.Zhanyao) ELSE '' END ||
      CASE WHEN OLD.Detail IS NOT NEW.Detail COLLATE BINARY THEN ',"Detail":' || json_quote(OLD.Detail) ELSE '' END ||
      CASE WHEN OLD.Shuxing IS NOT NEW.Shuxing COLLATE BINARY THEN ',"Shuxing":' || json_quote(OLD.Shuxing) ELSE '' END ||
      CASE WHEN OLD.JieFang IS NOT NEW.JieFang COLLATE BINARY THEN ',"JieFang":' || json_quote(OLD.JieFang) ELSE '' END ||
      CASE WHEN OLD.DaiFang IS NOT NEW.DaiFang COLLATE BINARY THEN ',"DaiFang":' || json_quote(OLD.DaiFang) ELSE '' END ||
      CASE WHEN OLD.YuE IS NOT NEW.YuE COLLATE BINARY THEN ',"YuE":' || json_quote(OLD.YuE) ELSE '' END ||
      CASE WHEN OLD.JingBR IS NOT NEW.JingBR COLLATE BINARY THEN ',"JingBR":' || json_quote(OLD.JingBR) ELSE '' END ||
      CASE WHEN OLD.Fillter IS NOT NEW.Fillter COLLATE BINARY THEN ',"Fillter":' || json_quote(OLD.Fillter) ELSE '' END ||
      CASE WHEN OLD.FilltDate IS NOT NEW.FilltDate COLLATE BINARY THEN ',"FilltDate":' || json_quote(OLD.FilltDate) ELSE '' END ||
      CASE WHEN OLD.Remark IS NOT NEW.Remark COLLATE BINARY THEN ',"Remark":' || json_quote(OLD.Remark) ELSE '' END ||
      CASE WHEN OLD.KaiHuBank IS NOT NEW.KaiHuBank COLLATE BINARY THEN ',"KaiHuBank":' || json_quote(OLD.KaiHuBank) ELSE '' END ||
      CASE WHEN OLD.FaPiaoDW IS NOT NEW.FaPiaoDW COLLATE BINARY THEN ',"FaPiaoDW":' || json_quote(OLD.FaPiaoDW) ELSE '' END ||
      CASE WHEN OLD.KeMuDM IS NOT NEW.KeMuDM COLLATE BINARY THEN ',"KeMuDM":' || json_quote(OLD.KeMuDM) ELSE '' END ||
      CASE WHEN OLD.JieZhuanYue IS NOT NEW.JieZhuanYue COLLATE BINARY THEN ',"JieZhuanYue":' || json_quote(OLD.JieZhuanYue) ELSE '' END, 2) || '}',
    '{' || substr(
      CASE WHEN OLD.autoID IS NOT NEW.autoID COLLATE BINARY THEN ',"autoID":' || json_quote(NEW.autoID) ELSE '' END ||
      CASE WHEN OLD.yewuRQ IS NOT NEW.yewuRQ COLLATE BINARY THEN ',"yewuRQ":' || json_quote(NEW.yewuRQ) ELSE '' END ||
      CASE WHEN OLD.PingZhengNo IS NOT NEW.PingZhengNo COLLATE BINARY THEN ',"PingZhengNo":' || json_quote(NEW.PingZhengNo) ELSE '' END ||
      CASE WHEN OLD.Zhanyao IS NOT NEW.Zhanyao COLLATE BINARY THEN ',"Zhanyao":' || json_quote(NEW.Zhanyao) ELSE '' END ||
      CASE WHEN OLD.Detail IS NOT NEW.Detail COLLATE BINARY THEN ',"Detail":' || json_quote(NEW.Detail) ELSE '' END ||
      CASE WHEN OLD.Shuxing IS NOT NEW.Shuxing COLLATE BINARY THEN ',"Shuxing":' || json_quote(NEW.Shuxing) ELSE '' END ||
      CASE WHEN OLD.JieFang IS NOT NEW.JieFang COLLATE BINARY THEN ',"JieFang":' || json_quote(NEW.JieFang) ELSE '' END ||
      CASE WHEN OLD.DaiFang IS NOT NEW.DaiFang COLLATE BINARY THEN ',"DaiFang":' || json_quote(NEW.DaiFang) ELSE '' END ||
      CASE WHEN OLD.YuE IS NOT NEW.YuE COLLATE BINARY THEN ',"YuE":' || json_quote(NEW.YuE) ELSE '' END ||
      CASE WHEN OLD.JingBR IS NOT NEW.JingBR COLLATE BINARY THEN ',"JingBR":' || json_quote(NEW.JingBR) ELSE '' END ||
      CASE WHEN OLD.Fillter IS NOT NEW.Fillter COLLATE BINARY THEN ',"Fillter":' || json_quote(NEW.Fillter) ELSE '' END ||
      CASE WHEN OLD.FilltDate IS NOT NEW.FilltDate COLLATE BINARY THEN ',"FilltDate":' || json_quote(NEW.FilltDate) ELSE '' END ||
      CASE WHEN OLD.Remark IS NOT NEW.Remark COLLATE BINARY THEN ',"Remark":' || json_quote(NEW.Remark) ELSE '' END ||
      CASE WHEN OLD.KaiHuBank IS NOT NEW.KaiHuBank COLLATE BINARY THEN ',"KaiHuBank":' || json_quote(NEW.KaiHuBank) ELSE '' END ||
      CASE WHEN OLD.FaPiaoDW IS NOT NEW.FaPiaoDW COLLATE BINARY THEN ',"FaPiaoDW":' || json_quote(NEW.FaPiaoDW) ELSE '' END ||
      CASE WHEN OLD.KeMuDM IS NOT NEW.KeMuDM COLLATE BINARY THEN ',"KeMuDM":' || json_quote(NEW.KeMuDM) ELSE '' END ||
      CASE WHEN OLD.JieZhuanYue IS NOT NEW.JieZhuanYue COLLATE BINARY THEN ',"JieZhuanYue":' || json_quote(NEW.JieZhuanYue) ELSE '' END, 2) || '}');
END;

-- A data initialisation logs one row for the whole journal just before it empties it.
CREATE TRIGGER CaoZuoRiZhi_YHRJZ_delete AFTER DELETE ON YHRJZ
WHEN NOT EXISTS (SELECT 1 FROM CaoZuoRiZhi WHERE XuHao = (SELECT max(XuHao) FROM CaoZuoRiZhi)
                 AND LeiBie = '数据初始化' AND BiaoMing = 'YHRJZ')
BEGIN
  INSERT INTO CaoZuoRiZhi (CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiQian)
  VALUES (CurrentOperator(), '删除', 'YHRJZ', OLD.autoID, json_object('autoID', OLD.autoID, 'yewuRQ', OLD.yewuRQ, 'PingZhengNo', OLD.PingZhengNo, 'Zhanyao', OLD.Zhanyao, 'Detail', OLD.Detail, 'Shuxing', OLD.Shuxing, 'JieFang', OLD.JieFang, 'DaiFang', OLD.DaiFang, 'YuE', OLD.YuE, 'JingBR', OLD.JingBR, 'Fillter', OLD.Fillter, 'FilltDate', OLD.FilltDate, 'Remark', OLD.Remark, 'KaiHuBank', OLD.KaiHuBank, 'FaPiaoDW', OLD.FaPiaoDW, 'KeMuDM', OLD.KeMuDM, 'JieZhuanYue', OLD.JieZhuanYue));
END;

-- ZhanYao
CREATE TRIGGER CaoZuoRiZhi_ZhanYao_insert AFTER INSERT ON ZhanYao
BEGIN
  INSERT INTO CaoZuoRiZhi (CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiHou)
  VALUES (CurrentOperator(), '新增', 'ZhanYao', NEW.AutoID, json_object('AutoID', NEW.AutoID, 'Code', NEW.Code, 'ZhanYao', NEW.ZhanYao, 'ZYType', NEW.ZYType, 'Fillter', NEW.Fillter, 'FilltDate', NEW.FilltDate, 'KuMuCode', NEW.KuMuCode));
END;

CREATE TRIGGER CaoZuoRiZhi_ZhanYao_update AFTER UPDATE OF AutoID, Code, ZhanYao, ZYType, Fillter, FilltDate, KuMuCode ON ZhanYao
WHEN OLD.AutoID IS NOT NEW.AutoID COLLATE BINARY OR OLD.Code IS NOT NEW.Code COLLATE BINARY OR OLD.ZhanYao IS NOT NEW.ZhanYao COLLATE BINARY OR OLD.ZYType IS NOT NEW.ZYType COLLATE BINARY OR OLD.Fillter IS NOT NEW.Fillter COLLATE BINARY OR OLD.FilltDate IS NOT NEW.FilltDate COLLATE BINARY OR OLD.KuMuCode IS NOT NEW.KuMuCode COLLATE BINARY
BEGIN
  INSERT INTO CaoZuoRiZhi (CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiQian, XiuGaiHou)
  VALUES (CurrentOperator(), '修改', 'ZhanYao', NEW.AutoID,
    '{' || substr(
      CASE WHEN OLD.AutoID IS NOT NEW.AutoID COLLATE BINARY THEN ',"AutoID":' || json_quote(OLD.AutoID) ELSE '' END ||
      CASE WHEN OLD.Code IS NOT NEW.Code COLLATE BINARY THEN ',"Code":' || json_quote(OLD.Code) ELSE '' END ||
      CASE WHEN OLD.ZhanYao IS NOT NEW.ZhanYao COLLATE BINARY THEN ',"ZhanYao":' || json_quote(OLD.ZhanYao) ELSE '' END ||
      CASE WHEN OLD.ZYType IS NOT NEW.ZYType COLLATE BINARY THEN ',"ZYType":' || json_quote(OLD.ZYType) ELSE '' END ||
      CASE WHEN OLD.Fillter IS NOT NEW.Fillter COLLATE BINARY THEN ',"Fillter":' || json_quote(OLD.Fillter) ELSE '' END ||
      CASE WHEN OLD.FilltDate IS NOT NEW.FilltDate COLLATE BINARY THEN ',"FilltDate":' || json_quote(OLD.FilltDate) ELSE '' END ||
      CASE WHEN OLD.KuMuCode IS NOT NEW.KuMuCode COLLATE BINARY THEN ',"KuMuCode":' || json_quote(OLD.KuMuCode) ELSE '' END, 2) || '}',
    '{' || substr(
      CASE WHEN OLD.AutoID IS NOT NEW.AutoID COLLATE BINARY THEN ',"AutoID":' || json_quote(NEW.AutoID) ELSE '' END ||
      CASE WHEN OLD.Code IS NOT NEW.Code COLLATE BINARY THEN ',"Code":' || json_quote(NEW.Code) ELSE '' END ||
      CASE WHEN OLD.ZhanYao IS NOT NEW.ZhanYao COLLATE BINARY THEN ',"ZhanYao":' || json_quote(NEW.ZhanYao) ELSE '' END ||
      CASE WHEN OLD.ZYType IS NOT NEW.ZYType COLLATE BINARY THEN ',"ZYType":' || json_quote(NEW.ZYType) ELSE '' END ||
      CASE WHEN OLD.Fillter IS NOT NEW.Fillter COLLATE BINARY THEN ',"Fillter":' || json_quote(NEW.Fillter) ELSE '' END ||
      CASE WHEN OLD.FilltDate IS NOT NEW.FilltDate COLLATE BINARY THEN ',"FilltDate":' || json_quote(NEW.FilltDate) ELSE '' END ||
      CASE WHEN OLD.KuMuCode IS NOT NEW.KuMuCode COLLATE BINARY THEN ',"KuMuCode":' || json_quote(NEW.KuMuCode) ELSE '' END, 2) || '}');
END;

CREATE TRIGGER CaoZuoRiZhi_ZhanYao_delete AFTER DELETE ON ZhanYao
BEGIN
  INSERT INTO CaoZuoRiZhi (CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiQian)
  VALUES (CurrentOperator(), '删除', 'ZhanYao', OLD.AutoID, json_object('AutoID', OLD.AutoID, 'Code', OLD.Code, 'ZhanYao', OLD.ZhanYao, 'ZYType', OLD.ZYType, 'Fillter', OLD.Fillter, 'FilltDate', OLD.FilltDate, 'KuMuCode', OLD.KuMuCode));
END;

-- bankInfo
CREATE TRIGGER CaoZuoRiZhi_bankInfo_insert AFTER INSERT ON bankInfo
BEGIN
  INSERT INTO CaoZuoRiZhi (CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiHou)
  VALUES (CurrentOperator(), '新增', 'bankInfo', NEW.bankID, json_object('bankName', NEW.bankName, 'bankID', NEW.bankID));
END;

CREATE TRIGGER CaoZuoRiZhi_bankInfo_update AFTER UPDATE OF bankName, bankID ON bankInfo
WHEN OLD.bankName IS NOT NEW.bankName COLLATE BINARY OR OLD.bankID IS NOT NEW.bankID COLLATE BINARY
BEGIN
  INSERT INTO CaoZuoRiZhi (CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiQian, XiuGaiHou)
  VALUES (CurrentOperator(), '修改', 'bankInfo', NEW.bankID,
    '{' || substr(
      CASE WHEN OLD.bankName IS NOT NEW.bankName COLLATE BINARY THEN ',"bankName":' || json_quote(OLD.bankName) ELSE '' END ||
      CASE WHEN OLD.bankID IS NOT NEW.bankID COLLATE BINARY THEN ',"bankID":' || json_quote(OLD.bankID) ELSE '' END, 2) || '}',
    '{' || substr(
      CASE WHEN OLD.bankName IS NOT NEW.bankName COLLATE BINARY THEN ',"bankName":' || json_quote(NEW.bankName) ELSE '' END ||
      CASE WHEN OLD.bankID IS NOT NEW.bankID COLLATE BINARY THEN ',"bankID":' || json_quote(NEW.bankID) ELSE '' END, 2) || '}');
END;

CREATE TRIGGER CaoZuoRiZhi_bankInfo_delete AFTER DELETE ON bankInfo
BEGIN
  INSERT INTO CaoZuoRiZhi (CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiQian)
  VALUES (CurrentOperator(), '删除', 'bankInfo', OLD.bankID, json_object('bankName', OLD.bankName, 'bankID', OLD.bankID));
END;

-- tuser
CREATE TRIGGER CaoZuoRiZhi_tuser_insert AFTER INSERT ON tuser
BEGIN
  INSERT INTO CaoZuoRiZhi (CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiHou)
  VALUES (CurrentOperator(), '新增', 'tuser', NEW.userID, json_object('username', NEW.username, 'F1', NEW.F1, 'F2', NEW.F2, 'F3', NEW.F3, 'F4', NEW.F4, 'F5', NEW.F5, 'F6', NEW.F6, 'F7', NEW.F7, 'F8', NEW.F8, 'F9', NEW.F9, 'F0', NEW.F0, 'F11', NEW.F11, 'F12', NEW.F12, 'F13', NEW.F13, 'F14', NEW.F14, 'F15', NEW.F15, 'F16', NEW.F16, 'F17', NEW.F17, 'F18', NEW.F18, 'userID', NEW.userID));
END;

CREATE TRIGGER CaoZuoRiZhi_tuser_update AFTER UPDATE OF username, password, F1, F2, F3, F4, F5, F6, F7, F8, F9, F0, F11, F12, F13, F14, F15, F16, F17, F18, userID ON tuser
WHEN OLD.username IS NOT NEW.username COLLATE BINARY OR OLD.password IS NOT NEW.password COLLATE BINARY OR OLD.F1 IS NOT NEW.F1 COLLATE BINARY OR OLD.F2 IS NOT NEW.F2 COLLATE BINARY OR OLD.F3 IS NOT NEW.F3 COLLATE BINARY OR OLD.F4 IS NOT NEW.F4 COLLATE BINARY OR OLD.F5 IS NOT NEW.F5 COLLATE BINARY OR OLD.F6 IS NOT NEW.F6 COLLATE BINARY OR OLD.F7 IS NOT NEW.F7 COLLATE BINARY OR OLD.F8 IS NOT NEW.F8 COLLATE BINARY OR OLD.F9 IS NOT NEW.F9 COLLATE BINARY OR OLD.F0 IS NOT NEW.F0 COLLATE BINARY OR OLD.F11 IS NOT NEW.F11 COLLATE BINARY OR OLD.F12 IS NOT NEW.F12 COLLATE BINARY OR OLD.F13 IS NOT NEW.F13 COLLATE BINARY OR OLD.F14 IS NOT NEW.F14 COLLATE BINARY OR OLD.F15 IS NOT NEW.F15 COLLATE BINARY OR OLD.F16 IS NOT NEW.F16 COLLATE BINARY OR OLD.F17 IS NOT NEW.F17 COLLATE BINARY OR OLD.F18 IS NOT NEW.F18 COLLATE BINARY OR OLD.userID IS NOT NEW.userID COLLATE BINARY
BEGIN
  INSERT INTO CaoZuoRiZhi (CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiQian, XiuGaiHou)
  VALUES (CurrentOperator(), '修改', 'tuser', NEW.userID,
    '{' || substr(
      CASE WHEN OLD.username IS NOT NEW.username COLLATE BINARY THEN ',"username":' || json_quote(OLD.username) ELSE '' END ||
      CASE WHEN OLD.F1 IS NOT NEW.F1 COLLATE BINARY THEN ',"F1":' || json_quote(OLD.F1) ELSE '' END ||
      CASE WHEN OLD.F2 IS NOT NEW.F2 COLLATE BINARY THEN ',"F2":' || json_quote(OLD.F2) ELSE '' END ||
      CASE WHEN OLD.F3 IS NOT NEW.F3 COLLATE BINARY THEN ',"F3":' || json_quote(OLD.F3) ELSE '' END ||
      CASE WHEN OLD.F4 IS NOT NEW.F4 COLLATE BINARY THEN ',"F4":' || json_quote(OLD.F4) ELSE '' END ||
      CASE WHEN OLD.F5 IS NOT NEW.F5 COLLATE BINARY THEN ',"F5":' || json_quote(OLD.F5) ELSE '' END ||
      CASE WHEN OLD.F6 IS NOT NEW.F6 COLLATE BINARY THEN ',"F6":' || json_quote(OLD.F6) ELSE '' END ||
      CASE WHEN OLD.F7 IS NOT NEW.F7 COLLATE BINARY THEN ',"F7":' || json_quote(OLD.F7) ELSE '' END ||
      CASE WHEN OLD.F8 IS NOT NEW.F8 COLLATE BINARY THEN ',"F8":' || json_quote(OLD.F8) ELSE '' END ||
      CASE WHEN OLD.F9 IS NOT NEW.F9 COLLATE BINARY THEN ',"F9":' || json_quote(OLD.F9) ELSE '' END ||
      CASE WHEN OLD.F0 IS NOT NEW.F0 COLLATE BINARY THEN ',"F0":' || json_quote(OLD.F0) ELSE '' END ||
      CASE WHEN OLD.F11 IS NOT NEW.F11 COLLATE BINARY THEN ',"F11":' || json_quote(OLD.F11) ELSE '' END ||
      CASE WHEN OLD.F12 IS NOT NEW.F12 COLLATE BINARY THEN ',"F12":' || json_quote(OLD.F12) ELSE '' END ||
      CASE WHEN OLD.F13 IS NOT NEW.F13 COLLATE BINARY THEN ',"F13":' || json_quote(OLD.F13) ELSE '' END ||
      CASE WHEN OLD.F14 IS NOT NEW.F14 COLLATE BINARY THEN ',"F14":' || json_quote(OLD.F14) ELSE '' END ||
      CASE WHEN OLD.F15 IS NOT NEW.F15 COLLATE BINARY THEN ',"F15":' || json_quote(OLD.F15) ELSE '' END ||
      CASE WHEN OLD.F16 IS NOT NEW.F16 COLLATE BINARY THEN ',"F16":' || json_quote(OLD.F16) ELSE '' END ||
      CASE WHEN OLD.F17 IS NOT NEW.F17 COLLATE BINARY THEN ',"F17":' || json_quote(OLD.F17) ELSE '' END ||
      CASE WHEN OLD.F18 IS NOT NEW.F18 COLLATE BINARY THEN ',"F18":' || json_quote(OLD.F18) ELSE '' END ||
      CASE WHEN OLD.userID IS NOT NEW.userID COLLATE BINARY THEN ',"userID":' || json_quote(OLD.userID) ELSE '' END, 2) || '}',
    '{' || substr(
      CASE WHEN OLD.username IS NOT NEW.username COLLATE BINARY THEN ',"username":' || json_quote(NEW.username) ELSE '' END ||
      CASE WHEN OLD.password IS NOT NEW.password COLLATE BINARY THEN ',"password":"密码已修改"' ELSE '' END ||
      CASE WHEN OLD.F1 IS NOT NEW.F1 COLLATE BINARY THEN ',"F1":' || json_quote(NEW.F1) ELSE '' END ||
      CASE WHEN OLD.F2 IS NOT NEW.F2 COLLATE BINARY THEN ',"F2":' || json_quote(NEW.F2) ELSE '' END ||
      CASE WHEN OLD.F3 IS NOT NEW.F3 COLLATE BINARY THEN ',"F3":' || json_quote(NEW.F3) ELSE '' END ||
      CASE WHEN OLD.F4 IS NOT NEW.F4 COLLATE BINARY THEN ',"F4":' || json_quote(NEW.F4) ELSE '' END ||
      CASE WHEN OLD.F5 IS NOT NEW.F5 COLLATE BINARY THEN ',"F5":' || json_quote(NEW.F5) ELSE '' END ||
      CASE WHEN OLD.F6 IS NOT NEW.F6 COLLATE BINARY THEN ',"F6":' || json_quote(NEW.F6) ELSE '' END ||
      CASE WHEN OLD.F7 IS NOT NEW.F7 COLLATE BINARY THEN ',"F7":' || json_quote(NEW.F7) ELSE '' END ||
      CASE WHEN OLD.F8 IS NOT NEW.F8 COLLATE BINARY THEN ',"F8":' || json_quote(NEW.F8) ELSE '' END ||
      CASE WHEN OLD.F9 IS NOT NEW.F9 COLLATE BINARY THEN ',"F9":' || json_quote(NEW.F9) ELSE '' END ||
      CASE WHEN OLD.F0 IS NOT NEW.F0 COLLATE BINARY THEN ',"F0":' || json_quote(NEW.F0) ELSE '' END ||
      CASE WHEN OLD.F11 IS NOT NEW.F11 COLLATE BINARY THEN ',"F11":' || json_quote(NEW.F11) ELSE '' END ||
      CASE WHEN OLD.F12 IS NOT NEW.F12 COLLATE BINARY THEN ',"F12":' || json_quote(NEW.F12) ELSE '' END ||
      CASE WHEN OLD.F13 IS NOT NEW.F13 COLLATE BINARY THEN ',"F13":' || json_quote(NEW.F13) ELSE '' END ||
      CASE WHEN OLD.F14 IS NOT NEW.F14 COLLATE BINARY THEN ',"F14":' || json_quote(NEW.F14) ELSE '' END ||
      CASE WHEN OLD.F15 IS NOT NEW.F15 COLLATE BINARY THEN ',"F15":' || json_quote(NEW.F15) ELSE '' END ||
      CASE WHEN OLD.F16 IS NOT NEW.F16 COLLATE BINARY THEN ',"F16":' || json_quote(NEW.F16) ELSE '' END ||
      CASE WHEN OLD.F17 IS NOT NEW.F17 COLLATE BINARY THEN ',"F17":' || json_quote(NEW.F17) ELSE '' END ||
      CASE WHEN OLD.F18 IS NOT NEW.F18 COLLATE BINARY THEN ',"F18":' || json_quote(NEW.F18) ELSE '' END ||
      CASE WHEN OLD.userID IS NOT NEW.userID COLLATE BINARY THEN ',"userID":' || json_quote(NEW.userID) ELSE '' END, 2) || '}');
END;

CREATE TRIGGER CaoZuoRiZhi_tuser_delete AFTER DELETE ON tuser
BEGIN
  INSERT INTO CaoZuoRiZhi (CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiQian)
  VALUES (CurrentOperator(), '删除', 'tuser', OLD.userID, json_object('username', OLD.username, 'F1', OLD.F1, 'F2', OLD.F2, 'F3', OLD.F3, 'F4', OLD.F4, 'F5', OLD.F5, 'F6', OLD.F6, 'F7', OLD.F7, 'F8', OLD.F8, 'F9', OLD.F9, 'F0', OLD.F0, 'F11', OLD.F11, 'F12', OLD.F12, 'F13', OLD.F13, 'F14', OLD.F14, 'F15', OLD.F15, 'F16', OLD.F16, 'F17', OLD.F17, 'F18', OLD.F18, 'userID', OLD.userID));
END;

-- FinscalYearMonth
CREATE TRIGGER CaoZuoRiZhi_FinscalYearMonth_insert AFTER INSERT ON FinscalYearMonth
BEGIN
  INSERT INTO CaoZuoRiZhi (CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiHou)
  VALUES (CurrentOperator(), '新增', 'FinscalYearMonth', NEW.rowid, json_object('YearMonth', NEW.YearMonth));
END;

CREATE TRIGGER CaoZuoRiZhi_FinscalYearMonth_update AFTER UPDATE OF YearMonth ON FinscalYearMonth
WHEN OLD.YearMonth IS NOT NEW.YearMonth COLLATE BINARY
BEGIN
  INSERT INTO CaoZuoRiZhi (CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiQian, XiuGaiHou)
  VALUES (CurrentOperator(), '修改记账年月', 'FinscalYearMonth', NEW.rowid,
    '{' || substr(
      CASE WHEN OLD.YearMonth IS NOT NEW.YearMonth COLLATE BINARY THEN ',"YearMonth":' || json_quote(OLD.YearMonth) ELSE '' END, 2) || '}',
    '{' || substr(
      CASE WHEN OLD.YearMonth IS NOT NEW.YearMonth COLLATE BINARY THEN ',"YearMonth":' || json_quote(NEW.YearMonth) ELSE '' END, 2) || '}');
END;

CREATE TRIGGER CaoZuoRiZhi_FinscalYearMonth_delete AFTER DELETE ON FinscalYearMonth
BEGIN
  INSERT INTO CaoZuoRiZhi (CaoZuoYuan, LeiBie, BiaoMing, JiLuHao, XiuGaiQian)
  VALUES (CurrentOperator(), '删除', 'FinscalYearMonth', OLD.rowid, json_object('YearMonth', OLD.YearMonth));
END;

