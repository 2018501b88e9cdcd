-- Update database on the server: what the data update of the program reads.
CREATE DATABASE IF NOT EXISTS kav_update CHARACTER SET utf8mb4 COLLATE utf8mb4_general_ci;
USE kav_update;

CREATE TABLE IF NOT EXISTS updatemanager (
  LetzteAenderung DATETIME,
  DuengerID       DATETIME,
  KulturID        DATETIME,
  orgsubID        DATETIME,
  lexikon         DATETIME,
  DateiMajor      INT,
  DateiMinor      INT,
  DateiVersion    INT
);

-- Copied into the local tables: the same columns, matched by name (the local order is kept).
CREATE TABLE IF NOT EXISTS duengerid (
  DuengerNr VARCHAR(20), Typ VARCHAR(3), Eingabe VARCHAR(10), AktuellerDatensatz TINYINT,
  Bezeichnung VARCHAR(100), N DOUBLE, Norg INT, P2O5 DOUBLE, K2O DOUBLE, Mg DOUBLE,
  LetzteAenderung DATETIME, ID VARCHAR(18)
);
CREATE TABLE IF NOT EXISTS kalkid (
  KalkNr VARCHAR(20), Eingabe VARCHAR(10), Bezeichnung VARCHAR(100), CaCO3 DOUBLE, MgCO3 DOUBLE,
  LetzteAenderung DATETIME, ID VARCHAR(18)
);
CREATE TABLE IF NOT EXISTS kulturid (
  KulturNr VARCHAR(20), Bezeichnung VARCHAR(100), GruppierungNr INT, Gliederungspunkt TINYINT,
  AktuellerDatensatz TINYINT, Tage INT, TerminGD INT, TerminKD1 INT, TerminKD2 INT, ph DOUBLE,
  N DOUBLE, NGD DOUBLE, NKD1 DOUBLE, NKD2 DOUBLE, P2O5 DOUBLE, K2O DOUBLE, Mg DOUBLE
);
CREATE TABLE IF NOT EXISTS reihenabstand (KulturID VARCHAR(20), Reihenabstand DOUBLE);
CREATE TABLE IF NOT EXISTS mkfarben (KulturID VARCHAR(20), r INT, g INT, b INT);
CREATE TABLE IF NOT EXISTS orgsubid (
  OrgSubNr VARCHAR(20), Bezeichnung VARCHAR(100), menge DOUBLE, N DOUBLE, P2O5 DOUBLE, K2O DOUBLE, Mg DOUBLE
);
CREATE TABLE IF NOT EXISTS lexikonkapitel (Kapitel VARCHAR(60), KapitelNr INT, Ueberschrift VARCHAR(200));
CREATE TABLE IF NOT EXISTS lexikonsuchbegriff (
  lfdnr INT AUTO_INCREMENT PRIMARY KEY, Suchbegriff VARCHAR(100), Verweis INT, GanzesWort TINYINT, Erscheinen INT
);

-- Read by column name.
CREATE TABLE IF NOT EXISTS lexikon (KapitelNr INT, LetzteAenderung DATETIME);
CREATE TABLE IF NOT EXISTS lexikonbilder (
  BilderNr INT, BildDatei VARCHAR(100), Quelle VARCHAR(200), Verweis INT, Reihenfolge INT
);
