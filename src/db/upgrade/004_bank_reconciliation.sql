-- Bank reconciliation. Statement lines as the bank printed them, the pairs that tie journal
-- entries to lines, the column mapping remembered for each account's files, and the right F17.
-- A pair is a group: one or more entries with one or more lines whose sums agree per direction.

CREATE TABLE YinHangDuiZhangDan (
  autoID        INTEGER PRIMARY KEY AUTOINCREMENT,
  KaiHuBank     TEXT COLLATE NOCASE NOT NULL CHECK (length(KaiHuBank) BETWEEN 1 AND 60 AND instr(KaiHuBank, char(0)) = 0),
  JiaoYiSJ      TEXT NOT NULL CHECK (JiaoYiSJ GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'),
  ZhanYao       TEXT COLLATE NOCASE CHECK (length(ZhanYao) <= 200 AND instr(ZhanYao, char(0)) = 0),
  -- Money into the account (the bank's 贷方) and out of it (借方), ten-thousandths, one side only.
  ShouRu        INTEGER NOT NULL DEFAULT 0 CHECK (typeof(ShouRu) = 'integer' AND ShouRu >= 0),
  ZhiChu        INTEGER NOT NULL DEFAULT 0 CHECK (typeof(ZhiChu) = 'integer' AND ZhiChu >= 0),
  YuE           INTEGER CHECK (typeof(YuE) IN ('integer', 'null')),
  DuiFangHuMing TEXT COLLATE NOCASE CHECK (length(DuiFangHuMing) <= 100 AND instr(DuiFangHuMing, char(0)) = 0),
  LiuShuiHao    TEXT COLLATE NOCASE CHECK (length(LiuShuiHao) <= 60 AND instr(LiuShuiHao, char(0)) = 0),
  -- Where the line came from: the file's name and its line there, or no line when typed by hand.
  LaiYuan       TEXT CHECK (length(LaiYuan) <= 260 AND instr(LaiYuan, char(0)) = 0),
  LaiYuanHang   INTEGER CHECK (typeof(LaiYuanHang) IN ('integer', 'null')),
  DaoRuSJ       TEXT NOT NULL CHECK (DaoRuSJ GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'),
  DaoRuRen      TEXT COLLATE NOCASE CHECK (length(DaoRuRen) <= 50 AND instr(DaoRuRen, char(0)) = 0),
  CHECK (ShouRu = 0 OR ZhiChu = 0)
);
CREATE INDEX YinHangDuiZhangDan_KaiHuBank_JiaoYiSJ ON YinHangDuiZhangDan (KaiHuBank, JiaoYiSJ);

CREATE TABLE YinHangDuiZhang (
  autoID        INTEGER PRIMARY KEY AUTOINCREMENT,
  ZuHao         INTEGER NOT NULL CHECK (typeof(ZuHao) = 'integer'),
  RiJiZhangID   INTEGER CHECK (typeof(RiJiZhangID) IN ('integer', 'null')),
  DuiZhangDanID INTEGER CHECK (typeof(DuiZhangDanID) IN ('integer', 'null')),
  ShouGong      INTEGER NOT NULL CHECK (ShouGong IN (0, 1)),
  DuiZhangSJ    TEXT NOT NULL CHECK (DuiZhangSJ GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'),
  DuiZhangRen   TEXT COLLATE NOCASE CHECK (length(DuiZhangRen) <= 50 AND instr(DuiZhangRen, char(0)) = 0),
  CHECK ((RiJiZhangID IS NULL) <> (DuiZhangDanID IS NULL))
);
-- An entry or a line belongs to one pair at most.
CREATE UNIQUE INDEX YinHangDuiZhang_RiJiZhangID ON YinHangDuiZhang (RiJiZhangID);
CREATE UNIQUE INDEX YinHangDuiZhang_DuiZhangDanID ON YinHangDuiZhang (DuiZhangDanID);
CREATE INDEX YinHangDuiZhang_ZuHao ON YinHangDuiZhang (ZuHao);

-- A pair names rows that exist.
CREATE TRIGGER YinHangDuiZhang_members BEFORE INSERT ON YinHangDuiZhang
BEGIN
  SELECT RAISE(ABORT, '对账的日记账记录不存在')
   WHERE NEW.RiJiZhangID IS NOT NULL AND NOT EXISTS (SELECT 1 FROM YHRJZ WHERE autoID = NEW.RiJiZhangID);
  SELECT RAISE(ABORT, '对账的对账单记录不存在')
   WHERE NEW.DuiZhangDanID IS NOT NULL AND NOT EXISTS (SELECT 1 FROM YinHangDuiZhangDan WHERE autoID = NEW.DuiZhangDanID);
END;

-- Deleting an entry or a line, or changing what was paired (amount, direction, account), undoes
-- its whole pair: the other members become unpaired again.
CREATE TRIGGER YHRJZ_unpair_on_delete AFTER DELETE ON YHRJZ
BEGIN
  DELETE FROM YinHangDuiZhang WHERE ZuHao IN (SELECT ZuHao FROM YinHangDuiZhang WHERE RiJiZhangID = OLD.autoID);
END;
CREATE TRIGGER YHRJZ_unpair_on_change AFTER UPDATE OF JieFang, DaiFang, KaiHuBank ON YHRJZ
  WHEN OLD.JieFang IS NOT NEW.JieFang OR OLD.DaiFang IS NOT NEW.DaiFang OR OLD.KaiHuBank IS NOT NEW.KaiHuBank
BEGIN
  DELETE FROM YinHangDuiZhang WHERE ZuHao IN (SELECT ZuHao FROM YinHangDuiZhang WHERE RiJiZhangID = OLD.autoID);
END;
CREATE TRIGGER YinHangDuiZhangDan_unpair_on_delete AFTER DELETE ON YinHangDuiZhangDan
BEGIN
  DELETE FROM YinHangDuiZhang WHERE ZuHao IN (SELECT ZuHao FROM YinHangDuiZhang WHERE DuiZhangDanID = OLD.autoID);
END;
CREATE TRIGGER YinHangDuiZhangDan_unpair_on_change AFTER UPDATE OF ShouRu, ZhiChu, KaiHuBank ON YinHangDuiZhangDan
  WHEN OLD.ShouRu IS NOT NEW.ShouRu OR OLD.ZhiChu IS NOT NEW.ZhiChu OR OLD.KaiHuBank IS NOT NEW.KaiHuBank
BEGIN
  DELETE FROM YinHangDuiZhang WHERE ZuHao IN (SELECT ZuHao FROM YinHangDuiZhang WHERE DuiZhangDanID = OLD.autoID);
END;

-- The statement columns chosen by hand for an account's files, as "role=column title" lines.
CREATE TABLE YinHangDuiZhangGeShi (
  KaiHuBank TEXT COLLATE NOCASE PRIMARY KEY CHECK (length(KaiHuBank) <= 60 AND instr(KaiHuBank, char(0)) = 0),
  GeShi     TEXT NOT NULL CHECK (length(GeShi) <= 2000)
);

-- The right to reconcile, held by everyone who keeps the bank journal.
ALTER TABLE tuser ADD COLUMN F17 INTEGER CHECK (F17 IN (0, 1));
UPDATE tuser SET F17 = F0;
