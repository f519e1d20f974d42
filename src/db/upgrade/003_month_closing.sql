-- Month closing. A closed month (one row of JieZhangYue) is no longer changed: the journals'
-- triggers refuse to insert, change or delete an entry dated in it, or to move one into or out
-- of it. An update that changes no value passes, since a balance rewrite writes every row of a
-- set. Text is compared byte for byte there, so a change of letter case is a change too.
-- The closing of a month writes one carry entry per balance set into the next month, marked with
-- the closed month (JieZhuanYue); while that closing stands, nothing but the balance rewrite
-- (YuE) may change a carry entry, and none can be made or deleted by hand.
-- Operators who may set the accounting period (F2 holders administer the operators) may close.

CREATE TABLE JieZhangYue (
  YueFen      TEXT PRIMARY KEY CHECK (YueFen GLOB '[0-9][0-9][0-9][0-9]-[0-1][0-9]'),
  JieZhangSJ  TEXT CHECK (JieZhangSJ GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'),
  JieZhangRen TEXT COLLATE NOCASE CHECK (length(JieZhangRen) <= 50 AND instr(JieZhangRen, char(0)) = 0)
);

ALTER TABLE XJRJZ ADD COLUMN JieZhuanYue TEXT CHECK (JieZhuanYue IS NULL OR JieZhuanYue GLOB '[0-9][0-9][0-9][0-9]-[0-1][0-9]');
ALTER TABLE YHRJZ ADD COLUMN JieZhuanYue TEXT CHECK (JieZhuanYue IS NULL OR JieZhuanYue GLOB '[0-9][0-9][0-9][0-9]-[0-1][0-9]');
-- Reopening a month finds its carry entries by their mark.
CREATE INDEX XJRJZ_JieZhuanYue ON XJRJZ (JieZhuanYue) WHERE JieZhuanYue IS NOT NULL;
CREATE INDEX YHRJZ_JieZhuanYue ON YHRJZ (JieZhuanYue) WHERE JieZhuanYue IS NOT NULL;

ALTER TABLE tuser ADD COLUMN F15 INTEGER CHECK (F15 IN (0, 1));
UPDATE tuser SET F15 = CASE WHEN F2 = 1 THEN 1 ELSE 0 END;

-- The refusal's message names the month, and SQLite's RAISE takes only a fixed text: the
-- journals' triggers insert the month here, and the trigger behind this view, rewritten by every
-- closing and reopening, holds one fixed message per closed month.
CREATE VIEW JieZhangTiShi AS SELECT '' AS YueFen WHERE 0;
CREATE TRIGGER JieZhangTiShi_insert INSTEAD OF INSERT ON JieZhangTiShi
BEGIN
  SELECT RAISE(ABORT, '该月已结账，不能修改');
END;

CREATE TRIGGER XJRJZ_JieZhang_insert BEFORE INSERT ON XJRJZ
WHEN EXISTS (SELECT 1 FROM JieZhangYue WHERE YueFen = substr(NEW.YeWuRQ, 1, 7))
BEGIN
  INSERT INTO JieZhangTiShi (YueFen) VALUES (substr(NEW.YeWuRQ, 1, 7));
END;

CREATE TRIGGER XJRJZ_JieZhang_delete BEFORE DELETE ON XJRJZ
WHEN EXISTS (SELECT 1 FROM JieZhangYue WHERE YueFen = substr(OLD.YeWuRQ, 1, 7))
BEGIN
  INSERT INTO JieZhangTiShi (YueFen) VALUES (substr(OLD.YeWuRQ, 1, 7));
END;

-- The entry's own month is named when it is closed, else the month it was to move into.
CREATE TRIGGER XJRJZ_JieZhang_update BEFORE UPDATE ON XJRJZ
WHEN EXISTS (SELECT 1 FROM JieZhangYue WHERE YueFen IN (substr(OLD.YeWuRQ, 1, 7), substr(NEW.YeWuRQ, 1, 7)))
 AND (NEW.autoID IS NOT OLD.autoID COLLATE BINARY
   OR NEW.YeWuRQ IS NOT OLD.YeWuRQ COLLATE BINARY
   OR NEW.PingZhengNo IS NOT OLD.PingZhengNo COLLATE BINARY
   OR NEW.ZhanYao IS NOT OLD.ZhanYao COLLATE BINARY
   OR NEW.Detail IS NOT OLD.Detail COLLATE BINARY
   OR NEW.ZhanYaoType IS NOT OLD.ZhanYaoType COLLATE BINARY
   OR NEW.QCJE IS NOT OLD.QCJE COLLATE BINARY
   OR NEW.JieFang IS NOT OLD.JieFang COLLATE BINARY
   OR NEW.DaiFang IS NOT OLD.DaiFang COLLATE BINARY
   OR NEW.YuE IS NOT OLD.YuE COLLATE BINARY
   OR NEW.JingBR IS NOT OLD.JingBR COLLATE BINARY
   OR NEW.Fillter IS NOT OLD.Fillter COLLATE BINARY
   OR NEW.FilltDate IS NOT OLD.FilltDate COLLATE BINARY
   OR NEW.Remark IS NOT OLD.Remark COLLATE BINARY
   OR NEW.faPiaoDW IS NOT OLD.faPiaoDW COLLATE BINARY
   OR NEW.KeMuDM IS NOT OLD.KeMuDM COLLATE BINARY
   OR NEW.MakeTime IS NOT OLD.MakeTime COLLATE BINARY
   OR NEW.JieZhuanYue IS NOT OLD.JieZhuanYue COLLATE BINARY)
BEGIN
  INSERT INTO JieZhangTiShi (YueFen)
    SELECT YueFen FROM JieZhangYue WHERE YueFen IN (substr(OLD.YeWuRQ, 1, 7), substr(NEW.YeWuRQ, 1, 7))
    ORDER BY YueFen = substr(OLD.YeWuRQ, 1, 7) DESC LIMIT 1;
END;

CREATE TRIGGER XJRJZ_JieZhuan_insert BEFORE INSERT ON XJRJZ
WHEN NEW.JieZhuanYue IS NOT NULL AND NOT EXISTS (SELECT 1 FROM JieZhangYue WHERE YueFen = NEW.JieZhuanYue)
BEGIN
  SELECT RAISE(ABORT, '上月结转的期初金额只能由月末结账生成');
END;

CREATE TRIGGER XJRJZ_JieZhuan_update BEFORE UPDATE ON XJRJZ
WHEN (OLD.JieZhuanYue IS NOT NULL OR NEW.JieZhuanYue IS NOT NULL)
 AND (NEW.autoID IS NOT OLD.autoID COLLATE BINARY
   OR NEW.YeWuRQ IS NOT OLD.YeWuRQ COLLATE BINARY
   OR NEW.PingZhengNo IS NOT OLD.PingZhengNo COLLATE BINARY
   OR NEW.ZhanYao IS NOT OLD.ZhanYao COLLATE BINARY
   OR NEW.Detail IS NOT OLD.Detail COLLATE BINARY
   OR NEW.ZhanYaoType IS NOT OLD.ZhanYaoType COLLATE BINARY
   OR NEW.QCJE IS NOT OLD.QCJE COLLATE BINARY
   OR NEW.JieFang IS NOT OLD.JieFang COLLATE BINARY
   OR NEW.DaiFang IS NOT OLD.DaiFang COLLATE BINARY
   OR NEW.JingBR IS NOT OLD.JingBR COLLATE BINARY
   OR NEW.Fillter IS NOT OLD.Fillter COLLATE BINARY
   OR NEW.FilltDate IS NOT OLD.FilltDate COLLATE BINARY
   OR NEW.Remark IS NOT OLD.Remark COLLATE BINARY
   OR NEW.faPiaoDW IS NOT OLD.faPiaoDW COLLATE BINARY
   OR NEW.KeMuDM IS NOT OLD.KeMuDM COLLATE BINARY
   OR NEW.MakeTime IS NOT OLD.MakeTime COLLATE BINARY
   OR NEW.JieZhuanYue IS NOT OLD.JieZhuanYue COLLATE BINARY)
BEGIN
  SELECT RAISE(ABORT, '上月结转的期初金额只能由月末结账和反结账修改');
END;

CREATE TRIGGER XJRJZ_JieZhuan_delete BEFORE DELETE ON XJRJZ
WHEN OLD.JieZhuanYue IS NOT NULL AND EXISTS (SELECT 1 FROM JieZhangYue WHERE YueFen = OLD.JieZhuanYue)
BEGIN
  SELECT RAISE(ABORT, '上月结转的期初金额只能由反结账删除');
END;

CREATE TRIGGER YHRJZ_JieZhang_insert BEFORE INSERT ON YHRJZ
WHEN EXISTS (SELECT 1 FROM JieZhangYue WHERE YueFen = substr(NEW.yewuRQ, 1, 7))
BEGIN
  INSERT INTO JieZhangTiShi (YueFen) VALUES (substr(NEW.yewuRQ, 1, 7));
END;

CREATE TRIGGER YHRJZ_JieZhang_delete BEFORE DELETE ON YHRJZ
WHEN EXISTS (SELECT 1 FROM JieZhangYue WHERE YueFen = substr(OLD.yewuRQ, 1, 7))
BEGIN
  INSERT INTO JieZhangTiShi (YueFen) VALUES (substr(OLD.yewuRQ, 1, 7));
END;

-- The entry's own month is named when it is closed, else the month it was to move into.
CREATE TRIGGER YHRJZ_JieZhang_update BEFORE UPDATE ON YHRJZ
WHEN EXISTS (SELECT 1 FROM JieZhangYue WHERE YueFen IN (substr(OLD.yewuRQ, 1, 7), substr(NEW.yewuRQ, 1, 7)))
 AND (NEW.autoID IS NOT OLD.autoID COLLATE BINARY
   OR NEW.yewuRQ IS NOT OLD.yewuRQ COLLATE BINARY
   OR NEW.PingZhengNo IS NOT OLD.PingZhengNo COLLATE BINARY
   OR NEW.Zhanyao IS NOT OLD.Zhanyao COLLATE BINARY
   OR NEW.Detail IS NOT OLD.Detail COLLATE BINARY
   OR NEW.Shuxing IS NOT OLD.Shuxing COLLATE BINARY
   OR NEW.JieFang IS NOT OLD.JieFang COLLATE BINARY
   OR NEW.DaiFang IS NOT OLD.DaiFang COLLATE BINARY
   OR NEW.YuE IS NOT OLD.YuE COLLATE BINARY
   OR NEW.JingBR IS NOT OLD.JingBR COLLATE BINARY
   OR NEW.Fillter IS NOT OLD.Fillter COLLATE BINARY
   OR NEW.FilltDate IS NOT OLD.FilltDate COLLATE BINARY
   OR NEW.Remark IS NOT OLD.Remark COLLATE BINARY
   OR NEW.KaiHuBank IS NOT OLD.KaiHuBank COLLATE BINARY
   OR NEW.FaPiaoDW IS NOT OLD.FaPiaoDW COLLATE BINARY
   OR NEW.KeMuDM IS NOT OLD.KeMuDM COLLATE BINARY
   OR NEW.JieZhuanYue IS NOT OLD.JieZhuanYue COLLATE BINARY)
BEGIN
  INSERT INTO JieZhangTiShi (YueFen)
    SELECT YueFen FROM JieZhangYue WHERE YueFen IN (substr(OLD.yewuRQ, 1, 7), substr(NEW.yewuRQ, 1, 7))
    ORDER BY YueFen = substr(OLD.yewuRQ, 1, 7) DESC LIMIT 1;
END;

CREATE TRIGGER YHRJZ_JieZhuan_insert BEFORE INSERT ON YHRJZ
WHEN NEW.JieZhuanYue IS NOT NULL AND NOT EXISTS (SELECT 1 FROM JieZhangYue WHERE YueFen = NEW.JieZhuanYue)
BEGIN
  SELECT RAISE(ABORT, '上月结转的期初金额只能由月末结账生成');
END;

CREATE TRIGGER YHRJZ_JieZhuan_update BEFORE UPDATE ON YHRJZ
WHEN (OLD.JieZhuanYue IS NOT NULL OR NEW.JieZhuanYue IS NOT NULL)
 AND (NEW.autoID IS NOT OLD.autoID COLLATE BINARY
   OR NEW.yewuRQ IS NOT OLD.yewuRQ COLLATE BINARY
   OR NEW.PingZhengNo IS NOT OLD.PingZhengNo COLLATE BINARY
   OR NEW.Zhanyao IS NOT OLD.Zhanyao COLLATE BINARY
   OR NEW.Detail IS NOT OLD.Detail COLLATE BINARY
   OR NEW.Shuxing IS NOT OLD.Shuxing COLLATE BINARY
   OR NEW.JieFang IS NOT OLD.JieFang COLLATE BINARY
   OR NEW.DaiFang IS NOT OLD.DaiFang COLLATE BINARY
   OR NEW.JingBR IS NOT OLD.JingBR COLLATE BINARY
   OR NEW.Fillter IS NOT OLD.Fillter COLLATE BINARY
   OR NEW.FilltDate IS NOT OLD.FilltDate COLLATE BINARY
   OR NEW.Remark IS NOT OLD.Remark COLLATE BINARY
   OR NEW.KaiHuBank IS NOT OLD.KaiHuBank COLLATE BINARY
   OR NEW.FaPiaoDW IS NOT OLD.FaPiaoDW COLLATE BINARY
   OR NEW.KeMuDM IS NOT OLD.KeMuDM COLLATE BINARY
   OR NEW.JieZhuanYue IS NOT OLD.JieZhuanYue COLLATE BINARY)
BEGIN
  SELECT RAISE(ABORT, '上月结转的期初金额只能由月末结账和反结账修改');
END;

CREATE TRIGGER YHRJZ_JieZhuan_delete BEFORE DELETE ON YHRJZ
WHEN OLD.JieZhuanYue IS NOT NULL AND EXISTS (SELECT 1 FROM JieZhangYue WHERE YueFen = OLD.JieZhuanYue)
BEGIN
  SELECT RAISE(ABORT, '上月结转的期初金额只能由反结账删除');
END;
