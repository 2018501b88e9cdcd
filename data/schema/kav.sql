-- Kav.KRN: reference data. The column order of the tables that the data update
-- replaces is part of the format; the update matches the server's columns to them by name.

CREATE TABLE DuengerID (
  DuengerNr          TEXT NOT NULL COLLATE NOCASE,
  Typ                TEXT,
  Eingabe            TEXT,
  AktuellerDatensatz INTEGER,
  Bezeichnung        TEXT,
  N                  REAL,
  Norg               INTEGER,
  P2O5               REAL,
  K2O                REAL,
  Mg                 REAL,
  LetzteAenderung    TEXT,
  ID                 TEXT
);
CREATE INDEX DuengerID_Nr ON DuengerID (DuengerNr);

CREATE TABLE KalkID (
  KalkNr             TEXT NOT NULL COLLATE NOCASE,
  Eingabe            TEXT,
  Bezeichnung        TEXT,
  CaCO3              REAL,
  MgCO3              REAL,
  LetzteAenderung    TEXT,
  ID                 TEXT
);
CREATE INDEX KalkID_Nr ON KalkID (KalkNr);

CREATE TABLE KulturID (
  KulturNr           TEXT NOT NULL COLLATE NOCASE,
  Bezeichnung        TEXT,
  GruppierungNr      INTEGER,
  Gliederungspunkt   INTEGER,
  AktuellerDatensatz INTEGER,
  Tage               INTEGER,
  TerminGD           INTEGER,
  TerminKD1          INTEGER,
  TerminKD2          INTEGER,
  ph                 REAL,
  N                  REAL,
  NGD                REAL,
  NKD1               REAL,
  NKD2               REAL,
  P2O5               REAL,
  K2O                REAL,
  Mg                 REAL
);
CREATE INDEX KulturID_Nr ON KulturID (KulturNr);

CREATE TABLE OrgSubID (
  OrgSubNr           TEXT NOT NULL COLLATE NOCASE,
  Bezeichnung        TEXT,
  menge              REAL,
  N                  REAL,
  P2O5               REAL,
  K2O                REAL,
  Mg                 REAL
);

CREATE TABLE Reihenabstand (
  KulturID           TEXT NOT NULL COLLATE NOCASE,
  Reihenabstand      REAL
);

CREATE TABLE MKFarben (
  KulturID           TEXT NOT NULL COLLATE NOCASE,
  r                  INTEGER,
  g                  INTEGER,
  b                  INTEGER
);

CREATE TABLE Bodenart (
  ID                 INTEGER NOT NULL PRIMARY KEY,
  Bezeichnung        TEXT,
  Kuerzel            TEXT
);

CREATE TABLE Nutzung (
  ID                 INTEGER NOT NULL PRIMARY KEY,
  Nutzung            TEXT
);

CREATE TABLE DuengerInfo (
  TextNr             TEXT NOT NULL PRIMARY KEY,
  Text               TEXT
);

CREATE TABLE Kalkbedarf (
  Bodenart           INTEGER NOT NULL,
  OS                 INTEGER NOT NULL,
  pH                 INTEGER NOT NULL,
  CaO                REAL,
  PRIMARY KEY (Bodenart, OS, pH)
);

CREATE TABLE LexikonKapitel (
  Kapitel            TEXT NOT NULL COLLATE NOCASE,
  KapitelNr          INTEGER NOT NULL,
  Ueberschrift       TEXT
);

CREATE TABLE Lexikon (
  KapitelNr          INTEGER NOT NULL,
  Kapitel            TEXT,
  LetzteAenderung    TEXT
);

CREATE TABLE LexikonSuchbegriff (
  lfdNr              INTEGER PRIMARY KEY,
  Suchbegriff        TEXT,
  Verweis            INTEGER,
  GanzesWort         INTEGER,
  Erscheinen         INTEGER
);

CREATE TABLE LexikonBilder (
  BilderNr           INTEGER,
  BildDatei          TEXT,
  Quelle             TEXT,
  Verweis            INTEGER,
  Reihenfolge        INTEGER,
  LetzteAenderung    TEXT
);
