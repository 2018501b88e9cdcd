-- Data collection on the server: analyses and Nmin values sent by the installations.
CREATE DATABASE IF NOT EXISTS kav_datenerfassung CHARACTER SET utf8mb4 COLLATE utf8mb4_general_ci;
USE kav_datenerfassung;

CREATE TABLE IF NOT EXISTS analysen (
  lfdnr           INT AUTO_INCREMENT PRIMARY KEY,
  Programmid      VARCHAR(18)  NOT NULL,
  FlaechenID      VARCHAR(20)  NOT NULL,
  AnalysenID      VARCHAR(20)  NOT NULL,
  Stickstoff      DOUBLE,
  Phosphat        DOUBLE,
  Kalium          DOUBLE,
  Magnesium       DOUBLE,
  ph              DOUBLE,
  Datum           DATE,
  Nutzung         INT,
  Bodenart        INT,
  LetzteAenderung DATETIME,
  UNIQUE KEY eine_analyse (Programmid, FlaechenID, AnalysenID)
);

CREATE TABLE IF NOT EXISTS nmin (
  lfdnr           INT AUTO_INCREMENT PRIMARY KEY,
  Programmid      VARCHAR(18)  NOT NULL,
  FlaechenID      VARCHAR(20)  NOT NULL,
  Nutzung         INT,
  kompost         INT,
  Nmin            DOUBLE,
  Einheit         INT,
  Datum           VARCHAR(10)  NOT NULL,
  LetzteAenderung VARCHAR(10),
  UNIQUE KEY ein_wert (Programmid, FlaechenID, Datum)
);
