-- The program's database. Text compares without regard to letter case; text widths, money
-- (integer ten-thousandths), dates ("yyyy-MM-dd HH:mm:ss") and yes/no values are checked here,
-- so a value that does not fit is refused when a row is posted.

CREATE TABLE XJRJZ (
  autoID      INTEGER PRIMARY KEY AUTOINCREMENT,
  YeWuRQ      TEXT CHECK (YeWuRQ IS NULL OR YeWuRQ GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'),
  PingZhengNo TEXT COLLATE NOCASE CHECK (length(PingZhengNo) <= 50),
  ZhanYao     TEXT COLLATE NOCASE CHECK (length(ZhanYao) <= 100),
  Detail      TEXT COLLATE NOCASE CHECK (length(Detail) <= 200),
  ZhanYaoType TEXT COLLATE NOCASE CHECK (length(ZhanYaoType) <= 4),
  QCJE        INTEGER CHECK (typeof(QCJE) IN ('integer', 'null')),
  JieFang     INTEGER CHECK (typeof(JieFang) IN ('integer', 'null')),
  DaiFang     INTEGER CHECK (typeof(DaiFang) IN ('integer', 'null')),
  YuE         INTEGER CHECK (typeof(YuE) IN ('integer', 'null')),
  JingBR      TEXT COLLATE NOCASE CHECK (length(JingBR) <= 8),
  Fillter     TEXT COLLATE NOCASE CHECK (length(Fillter) <= 50),
  FilltDate   TEXT CHECK (FilltDate IS NULL OR FilltDate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'),
  Remark      TEXT COLLATE NOCASE CHECK (length(Remark) <= 50),
  faPiaoDW    TEXT COLLATE NOCASE CHECK (length(faPiaoDW) <= 60),
  KeMuDM      TEXT COLLATE NOCASE CHECK (length(KeMuDM) <= 50),
  MakeTime    TEXT CHECK (MakeTime IS NULL OR MakeTime GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]')
);

CREATE TABLE YHRJZ (
  autoID      INTEGER PRIMARY KEY AUTOINCREMENT,
  yewuRQ      TEXT CHECK (yewuRQ IS NULL OR yewuRQ GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'),
  PingZhengNo TEXT COLLATE NOCASE CHECK (length(PingZhengNo) <= 50),
  Zhanyao     TEXT COLLATE NOCASE CHECK (length(Zhanyao) <= 100),
  Detail      TEXT COLLATE NOCASE CHECK (length(Detail) <= 200),
  Shuxing     TEXT COLLATE NOCASE CHECK (length(Shuxing) <= 4),
  JieFang     INTEGER CHECK (typeof(JieFang) IN ('integer', 'null')),
  DaiFang     INTEGER CHECK (typeof(DaiFang) IN ('integer', 'null')),
  YuE         INTEGER CHECK (typeof(YuE) IN ('integer', 'null')),
  JingBR      TEXT COLLATE NOCASE CHECK (length(JingBR) <= 8),
  Fillter     TEXT COLLATE NOCASE CHECK (length(Fillter) <= 50),
  FilltDate   TEXT CHECK (FilltDate IS NULL OR FilltDate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'),
  Remark      TEXT COLLATE NOCASE CHECK (length(Remark) <= 50),
  KaiHuBank   TEXT COLLATE NOCASE CHECK (length(KaiHuBank) <= 60),
  FaPiaoDW    TEXT COLLATE NOCASE CHECK (length(FaPiaoDW) <= 60),
  KeMuDM      TEXT COLLATE NOCASE CHECK (length(KeMuDM) <= 50)
);

CREATE TABLE ZhanYao (
  AutoID    INTEGER PRIMARY KEY AUTOINCREMENT,
  Code      TEXT COLLATE NOCASE CHECK (length(Code) <= 4),
  ZhanYao   TEXT COLLATE NOCASE CHECK (length(ZhanYao) <= 60),
  ZYType    TEXT COLLATE NOCASE CHECK (length(ZYType) <= 4),
  Fillter   TEXT COLLATE NOCASE CHECK (length(Fillter) <= 10),
  FilltDate TEXT CHECK (FilltDate IS NULL OR FilltDate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'),
  KuMuCode  TEXT COLLATE NOCASE CHECK (length(KuMuCode) <= 50)
);

-- bankID is the row's key (SQLite's rowid under a name, so "Select *" carries it).
CREATE TABLE bankInfo (
  bankName TEXT COLLATE NOCASE CHECK (length(bankName) <= 60),
  bankID   INTEGER PRIMARY KEY
);

-- password holds an argon2id hash, longer than a typed password.
CREATE TABLE tuser (
  username TEXT COLLATE NOCASE CHECK (length(username) <= 50),
  password TEXT CHECK (length(password) <= 128),
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
  userID INTEGER PRIMARY KEY
);

CREATE TABLE FinscalYearMonth (
  YearMonth TEXT CHECK (YearMonth IS NULL OR YearMonth GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]')
);

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
