-- The payroll program's tables that the exchange reads and writes (for tests and the demo).

CREATE TABLE Werkgever (
    Werkgeversnummer           INTEGER NOT NULL,
    Ingangsdatum               DATETIME NOT NULL,
    Loonbelastingnummer        VARCHAR(20) COLLATE NOCASE,
    Naam                       VARCHAR(100) COLLATE NOCASE,
    Bericht_TijdvakSoort       INTEGER,
    AfwijkendeLoonsomVoorZemlo DOUBLE,
    PRIMARY KEY (Werkgeversnummer, Ingangsdatum)
);

CREATE TABLE BoekingsKolommen (
    BoekingId        INTEGER PRIMARY KEY AUTOINCREMENT,
    Werkgeversnummer INTEGER NOT NULL,
    Kolomboeking     INTEGER NOT NULL,
    KolomBedrag      DOUBLE,
    Boekingsdatum    DATETIME NOT NULL
);
CREATE INDEX ixBoekingsKolommenWerkgever ON BoekingsKolommen (Werkgeversnummer, Kolomboeking, Boekingsdatum);

CREATE TABLE Werkkosten (
    WerkkostenId     INTEGER PRIMARY KEY AUTOINCREMENT,
    Werkgeversnummer INTEGER NOT NULL,
    Periode          INTEGER NOT NULL,
    Bedrag           DOUBLE,
    WijzigDatum      DATETIME
);
