-- Daten.KRN: the gardener's own data.
-- Dates are ISO text (yyyy-MM-dd, change times yyyy-MM-dd hh:mm:ss), Booleans 0/1.

CREATE TABLE FlaechenID (
  ID                 TEXT,
  FlaechenNr         TEXT NOT NULL PRIMARY KEY COLLATE NOCASE,
  Gliederungspunkt   INTEGER NOT NULL DEFAULT 0,
  GruppierungNr      INTEGER NOT NULL DEFAULT 0,
  AktuellerDatensatz INTEGER NOT NULL DEFAULT 1,
  Bezeichnung        TEXT,
  Laenge             REAL,
  Breite             REAL,
  Flaeche            REAL,
  Bodenart           INTEGER,
  Kompost            INTEGER,
  Nutzung            INTEGER,
  LetzteAenderung    TEXT
);

CREATE TABLE AnalysenID (
  AnalysenNr         TEXT NOT NULL PRIMARY KEY COLLATE NOCASE,
  Datum              TEXT,
  Bodenart           INTEGER,
  BodenartKuerzel    INTEGER,
  GesamtN            REAL,
  P2O5               REAL,
  K2O                REAL,
  Mg                 REAL,
  pH                 REAL,
  LetzteAenderung    TEXT,
  ID                 TEXT
);

CREATE TABLE ZOFlaechenAnalysen (
  FlaechenNr         TEXT NOT NULL COLLATE NOCASE,
  AnalysenNr         TEXT NOT NULL COLLATE NOCASE,
  Datum              TEXT,
  AktuellerDatensatz INTEGER NOT NULL DEFAULT 1,
  ID                 TEXT
);
CREATE INDEX ZOFlaechenAnalysen_Flaeche ON ZOFlaechenAnalysen (FlaechenNr, Datum);
CREATE INDEX ZOFlaechenAnalysen_Analyse ON ZOFlaechenAnalysen (AnalysenNr);

CREATE TABLE Nmin (
  FlaechenNr         TEXT NOT NULL COLLATE NOCASE,
  Nmin               REAL,
  Einheit            INTEGER,
  Datum              TEXT,
  ID                 TEXT
);
CREATE INDEX Nmin_Flaeche ON Nmin (FlaechenNr, Datum);

CREATE TABLE MischkulturID (
  MKID               TEXT NOT NULL PRIMARY KEY,
  DatumPlanung       TEXT,
  FlaechenNr         TEXT COLLATE NOCASE
);

CREATE TABLE MKEditor (
  ID                 TEXT,
  MKID               TEXT NOT NULL,
  KulturID           TEXT,
  Kultur             TEXT,
  "Left"             REAL,
  "Top"              REAL,
  Farbe              INTEGER,
  Dauer              INTEGER,
  Start              INTEGER
);
CREATE INDEX MKEditor_Plan ON MKEditor (MKID);
