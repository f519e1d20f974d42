-- Store hardening. Operators and bank accounts get keys that are never used again once deleted
-- (AUTOINCREMENT), and every width check also refuses text holding a NUL character: SQLite's
-- length() stops counting at the first NUL, so the width alone let longer text through.
-- SQLite cannot change a table's checks in place: each table is made anew under a temporary
-- name, its rows copied with their keys, the old one dropped and the new one renamed. A journal's
-- key counter moves over first, so keys of deleted entries are not handed out again either.

CREATE TABLE XJRJZ_new (
  autoID      INTEGER PRIMARY KEY AUTOINCREMENT,
  YeWuRQ      TEXT CHECK (YeWuRQ IS NULL OR YeWuRQ GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'),
  PingZhengNo TEXT COLLATE NOCASE CHECK (length(PingZhengNo) <= 50 AND instr(PingZhengNo, char(0)) = 0),
  ZhanYao     TEXT COLLATE NOCASE CHECK (length(ZhanYao) <= 100 AND instr(ZhanYao, char(0)) = 0),
  Detail      TEXT COLLATE NOCASE CHECK (length(Detail) <= 200 AND instr(Detail, char(0)) = 0),
  ZhanYaoType TEXT COLLATE NOCASE CHECK (length(ZhanYaoType) <= 4 AND instr(ZhanYaoType, char(0)) = 0),
  QCJE        INTEGER CHECK (typeof(QCJE) IN ('integer', 'null')),
  JieFang     INTEGER CHECK (typeof(JieFang) IN ('integer', 'null')),
  DaiFang     INTEGER CHECK (typeof(DaiFang) IN ('integer', 'null')),
  YuE         INTEGER CHECK (typeof(YuE) IN ('integer', 'null')),
  JingBR      TEXT COLLATE NOCASE CHECK (length(JingBR) <= 8 AND instr(JingBR, char(0)) = 0),
  Fillter     TEXT COLLATE NOCASE CHECK (length(Fillter) <= 50 AND instr(Fillter, char(0)) = 0),
  FilltDate   TEXT CHECK (FilltDate IS NULL OR FilltDate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'),
  Remark      TEXT COLLATE NOCASE CHECK (length(Remark) <= 50 AND instr(Remark, char(0)) = 0),
  faPiaoDW    TEXT COLLATE NOCASE CHECK (length(faPiaoDW) <= 60 AND instr(faPiaoDW, char(0)) = 0),
  KeMuDM      TEXT COLLATE NOCASE CHECK (length(KeMuDM) <= 50 AND instr(KeMuDM, char(0)) = 0),
  MakeTime    TEXT CHECK (MakeTime IS NULL OR MakeTime GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]')
);
UPDATE sqlite_sequence SET name = 'XJRJZ_new' WHERE name = 'XJRJZ';
INSERT INTO XJRJZ_new SELECT * FROM XJRJZ;
DROP TABLE XJRJZ;
ALTER TABLE XJRJZ_new RENAME TO XJRJZ;

CREATE TABLE YHRJZ_new (
  autoID      INTEGER PRIMARY KEY AUTOINCREMENT,
  yewuRQ      TEXT CHECK (yewuRQ IS NULL OR yewuRQ GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'),
  PingZhengNo TEXT COLLATE NOCASE CHECK (length(PingZhengNo) <= 50 AND instr(PingZhengNo, char(0)) = 0),
  Zhanyao     TEXT COLLATE NOCASE CHECK (length(Zhanyao) <= 100 AND instr(Zhanyao, char(0)) = 0),
  Detail      TEXT COLLATE NOCASE CHECK (length(Detail) <= 200 AND instr(Detail, char(0)) = 0),
  Shuxing     TEXT COLLATE NOCASE CHECK (length(Shuxing) <= 4 AND instr(Shuxing, char(0)) = 0),
  JieFang     INTEGER CHECK (typeof(JieFang) IN ('integer', 'null')),
  DaiFang     INTEGER CHECK (typeof(DaiFang) IN ('integer', 'null')),
  YuE         INTEGER CHECK (typeof(YuE) IN ('integer', 'null')),
  JingBR      TEXT COLLATE NOCASE CHECK (length(JingBR) <= 8 AND instr(JingBR, char(0)) = 0),
  Fillter     TEXT COLLATE NOCASE CHECK (length(Fillter) <= 50 AND instr(Fillter, char(0)) = 0),
  FilltDate   TEXT CHECK (FilltDate IS NULL OR FilltDate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'),
  Remark      TEXT COLLATE NOCASE CHECK (length(Remark) <= 50 AND instr(Remark, char(0)) = 0),
  KaiHuBank   TEXT COLLATE NOCASE CHECK (length(KaiHuBank) <= 60 AND instr(KaiHuBank, char(0)) = 0),
  FaPiaoDW    TEXT COLLATE NOCASE CHECK (length(FaPiaoDW) <= 60 AND instr(FaPiaoDW, char(0)) = 0),
  KeMuDM      TEXT COLLATE NOCASE CHECK (length(KeMuDM) <= 50 AND instr(KeMuDM, char(0)) = 0)
);
UPDATE sqlite_sequence SET name = 'YHRJZ_new' WHERE name = 'YHRJZ';
INSERT INTO YHRJZ_new SELECT * FROM YHRJZ;
DROP TABLE YHRJZ;
ALTER TABLE YHRJZ_new RENAME TO YHRJZ;

CREATE TABLE ZhanYao_new (
  AutoID    INTEGER PRIMARY KEY AUTOINCREMENT,
  Code      TEXT COLLATE NOCASE CHECK (length(Code) <= 4 AND instr(Code, char(0)) = 0),
  ZhanYao   TEXT COLLATE NOCASE CHECK (length(ZhanYao) <= 60 AND instr(ZhanYao, char(0)) = 0),
  ZYType    TEXT COLLATE NOCASE CHECK (length(ZYType) <= 4 AND instr(ZYType, char(0)) = 0),
  Fillter   TEXT COLLATE NOCASE CHECK (length(Fillter) <= 10 AND instr(Fillter, char(0)) = 0),
  FilltDate TEXT CHECK (FilltDate IS NULL OR FilltDate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'),
  KuMuCode  TEXT COLLATE NOCASE CHECK (length(KuMuCode) <= 50 AND instr(KuMuCode, char(0)) = 0)
);
UPDATE sqlite_sequence SET name = 'ZhanYao_new' WHERE name = 'ZhanYao';
INSERT INTO ZhanYao_new SELECT * FROM ZhanYao;
DROP TABLE ZhanYao;
ALTER TABLE ZhanYao_new RENAME TO ZhanYao;

CREATE TABLE bankInfo_new (
  bankName TEXT COLLATE NOCASE CHECK (length(bankName) <= 60 AND instr(bankName, char(0)) = 0),
  bankID   INTEGER PRIMARY KEY AUTOINCREMENT
);
UPDATE sqlite_sequence SET name = 'bankInfo_new' WHERE name = 'bankInfo';
INSERT INTO bankInfo_new SELECT * FROM bankInfo;
DROP TABLE bankInfo;
ALTER TABLE bankInfo_new RENAME TO bankInfo;

CREATE TABLE tuser_new (
  username TEXT COLLATE NOCASE CHECK (length(username) <= 50 AND instr(username, char(0)) = 0),
  password TEXT CHECK (length(password) <= 128 AND instr(password, char(0)) = 0),
  F1  INTEGER CHECK (F1 IN (0, 1)),
  F2  INTEGER CHECK (F2 IN (0, 1)),
  F3  INTEGER CHECK (F3 IN (0, 1)),
  F4  INTEGER CHECK (F4 IN (0, 1)),
  F5  INTEGER CHECK (F5 IN (0, 1)),
  F6  INTEGER CHECK (F6 IN (0, 1)),
  F7  INTEGER CHECK (F7 IN (0, 1)),
  F8  INTEGER CHECK (F8 IN (0, 1)),
  F9  INTEGER CHECK (F9 IN (0, 1)),
  F0  INTEGER CHECK (F0 IN (0, 1)),
  F11 INTEGER CHECK (F11 IN (0, 1)),
  F12 INTEGER CHECK (F12 IN (0, 1)),
  F13 INTEGER CHECK (F13 IN (0, 1)),
  F14 INTEGER CHECK (F14 IN (0, 1)),
  userID INTEGER PRIMARY KEY AUTOINCREMENT
);
UPDATE sqlite_sequence SET name = 'tuser_new' WHERE name = 'tuser';
INSERT INTO tuser_new SELECT * FROM tuser;
DROP TABLE tuser;
ALTER TABLE tuser_new RENAME TO tuser;

-- Dropping the journals dropped their indexes.
-- The journal lists and balance sets: one operator's month, for the bank of one account.
CREATE INDEX XJRJZ_Fillter_YeWuRQ ON XJRJZ (Fillter, YeWuRQ);
CREATE INDEX YHRJZ_Fillter_KaiHuBank_yewuRQ ON YHRJZ (Fillter, KaiHuBank, yewuRQ);
CREATE INDEX YHRJZ_Fillter_yewuRQ ON YHRJZ (Fillter, yewuRQ);
-- The statistics by day cover every operator over a date range.
CREATE INDEX XJRJZ_YeWuRQ ON XJRJZ (YeWuRQ);
CREATE INDEX YHRJZ_yewuRQ ON YHRJZ (yewuRQ);
-- The catalogues' deletion guards count entries by summary text and by account.
CREATE INDEX XJRJZ_ZhanYao ON XJRJZ (ZhanYao);
CREATE INDEX YHRJZ_Zhanyao ON YHRJZ (Zhanyao);
CREATE INDEX YHRJZ_KaiHuBank ON YHRJZ (KaiHuBank);
