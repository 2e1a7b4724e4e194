-- The delivered database of tax year 2024: schema and the fixed lookup rows.
-- Text compares without regard to case; dates are text 'yyyy-MM-dd HH:mm:ss'; yes/no is 1/0.

CREATE TABLE Concerns (
    ConcernId    INTEGER PRIMARY KEY AUTOINCREMENT,
    Naam         VARCHAR(100) COLLATE NOCASE NOT NULL,
    AanmaakDatum DATETIME,
    WijzigDatum  DATETIME
);
CREATE UNIQUE INDEX ixConcernsNaam ON Concerns (Naam);

CREATE TABLE Werkgevers (
    WerkgeverId         INTEGER PRIMARY KEY AUTOINCREMENT,
    Loonheffingennummer VARCHAR(20) COLLATE NOCASE NOT NULL,
    Naam                VARCHAR(100) COLLATE NOCASE NOT NULL,
    AangifteTijdvak     INTEGER NOT NULL,
    ConcernId           INTEGER,
    AanmaakDatum        DATETIME,
    WijzigDatum         DATETIME
);
CREATE UNIQUE INDEX ixWerkgeversLoonheffingennummer ON Werkgevers (Loonheffingennummer);
CREATE INDEX ixWerkgeversNaam ON Werkgevers (Naam);
CREATE INDEX ixWerkgeversConcernId ON Werkgevers (ConcernId);

CREATE TABLE Loonsommen (
    LoonsomId    INTEGER PRIMARY KEY AUTOINCREMENT,
    WerkgeverId  INTEGER NOT NULL,
    Periode      INTEGER NOT NULL,
    Proforma     BOOLEAN NOT NULL,
    Bedrag       DOUBLE NOT NULL,
    AanmaakDatum DATETIME,
    WijzigDatum  DATETIME
);
CREATE UNIQUE INDEX ixLoonsommenWerkgeverPeriode ON Loonsommen (WerkgeverId, Periode, Proforma);

CREATE TABLE Kostengroepen (
    KostengroepId INTEGER PRIMARY KEY,
    Omschrijving  VARCHAR(100) COLLATE NOCASE
);

CREATE TABLE Vergoedingtypen (
    VergoedingtypeId INTEGER PRIMARY KEY,
    Omschrijving     VARCHAR(100) COLLATE NOCASE
);

CREATE TABLE KostenTypen (
    KostenTypeId INTEGER PRIMARY KEY,
    Omschrijving VARCHAR(100) COLLATE NOCASE,
    TeltMee      BOOLEAN
);

CREATE TABLE VergoedingKosten (
    VergoedingTypeId INTEGER NOT NULL,
    KostenTypeId     INTEGER NOT NULL,
    PRIMARY KEY (VergoedingTypeId, KostenTypeId)
);

CREATE TABLE Kostencategorieen (
    KostencategorieId     INTEGER PRIMARY KEY AUTOINCREMENT,
    KostengroepId         INTEGER,
    Omschrijving          VARCHAR(150) COLLATE NOCASE NOT NULL,
    VergoedingtypeId      INTEGER NOT NULL,
    Grootboekrekening     VARCHAR(30) COLLATE NOCASE,
    GrootboekOmschrijving VARCHAR(100) COLLATE NOCASE,
    Opmerkingen           TEXT COLLATE NOCASE,
    AanmaakDatum          DATETIME,
    WijzigDatum           DATETIME
);
CREATE UNIQUE INDEX ixKostencategorieenOmschrijving ON Kostencategorieen (Omschrijving);

CREATE TABLE Kosten (
    KostenId          INTEGER PRIMARY KEY AUTOINCREMENT,
    WerkgeverId       INTEGER NOT NULL,
    KostenCategorieId INTEGER,
    Periode           INTEGER NOT NULL,
    Proforma          BOOLEAN NOT NULL,
    Bedrag            DOUBLE NOT NULL,
    KostenTypeId      INTEGER NOT NULL,
    AanmaakDatum      DATETIME,
    WijzigDatum       DATETIME
);
CREATE INDEX ixKostenWerkgeverId ON Kosten (WerkgeverId);
CREATE INDEX ixKostenKostenCategorieId ON Kosten (KostenCategorieId);

CREATE TABLE dbparams (
    param_cd    VARCHAR(50) COLLATE NOCASE NOT NULL,
    param_value VARCHAR(255) COLLATE NOCASE
);
CREATE INDEX ixDbparamsParamCd ON dbparams (param_cd);

-- Tax treatment: only type 1 counts against the free space.
INSERT INTO KostenTypen (KostenTypeId, Omschrijving, TeltMee) VALUES
    (1, 'Eindheffingsloon (vrije ruimte)', 1),
    (2, 'Nihilwaardering', 0),
    (3, 'Gerichte vrijstelling', 0),
    (4, 'Valt buiten de werkkostenregeling', 0);

INSERT INTO Vergoedingtypen (VergoedingtypeId, Omschrijving) VALUES
    (1, 'Vergoeding'),
    (2, 'Verstrekking'),
    (3, 'Terbeschikkingstelling'),
    (4, 'Intermediaire kosten');

-- Which tax treatments a reimbursement type allows; intermediary costs allow exactly one.
INSERT INTO VergoedingKosten (VergoedingTypeId, KostenTypeId) VALUES
    (1, 1), (1, 3), (1, 4),
    (2, 1), (2, 2), (2, 3),
    (3, 1), (3, 2),
    (4, 4);

INSERT INTO Kostengroepen (KostengroepId, Omschrijving) VALUES
    (1, 'Reizen en vervoer'),
    (2, 'Maaltijden en consumpties'),
    (3, 'Werkplek en huisvesting'),
    (4, 'Opleiding en ontwikkeling'),
    (5, 'Personeelsvoorzieningen'),
    (6, 'Kleding en uitrusting'),
    (7, 'Geschenken en attenties'),
    (8, 'Communicatie en ICT');

INSERT INTO Kostencategorieen
    (KostengroepId, Omschrijving, VergoedingtypeId, Grootboekrekening, GrootboekOmschrijving, Opmerkingen,
     AanmaakDatum, WijzigDatum) VALUES
    (1, 'Reiskostenvergoeding boven 0,23 per km', 1, '4310', 'Reiskosten personeel', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (1, 'Reiskostenvergoeding tot 0,23 per km', 1, '4310', 'Reiskosten personeel', 'Gericht vrijgesteld tot het bedrag per kilometer.', '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (1, 'OV-abonnement', 2, '4315', 'Openbaar vervoer', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (1, 'Parkeerkosten bij werkplek', 1, '4320', 'Parkeerkosten', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (1, 'Fiets van de zaak', 3, '4325', 'Fietsregeling', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (2, 'Maaltijden bij overwerk en koopavonden', 2, '4410', 'Maaltijden', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (2, 'Consumpties op de werkplek', 2, '4415', 'Kantinekosten', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (2, 'Personeelsfeest en bedrijfsuitje', 2, '4420', 'Personeelsactiviteiten', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (2, 'Kerstpakket', 2, '4425', 'Kerstpakketten', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (3, 'Thuiswerkvergoeding', 1, '4510', 'Thuiswerkkosten', 'Gericht vrijgesteld tot het vaste bedrag per thuiswerkdag.', '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (3, 'Inrichting thuiswerkplek (Arbo)', 2, '4515', 'Arbovoorzieningen', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (3, 'Arbovoorzieningen op de werkplek', 2, '4520', 'Arbovoorzieningen', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (4, 'Cursussen en opleidingen', 1, '4610', 'Opleidingskosten', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (4, 'Vakliteratuur', 1, '4615', 'Vakliteratuur', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (4, 'Congressen en seminars', 1, '4620', 'Congreskosten', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (5, 'Sportabonnement', 1, '4710', 'Sportvoorzieningen', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (5, 'Verhuiskostenvergoeding', 1, '4715', 'Verhuiskosten', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (5, 'Personeelskorting', 2, '4720', 'Personeelskortingen', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (5, 'Bedrijfsfitness op de werkplek', 3, '4725', 'Sportvoorzieningen', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (6, 'Werkkleding met logo', 2, '4810', 'Bedrijfskleding', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (6, 'Persoonlijke beschermingsmiddelen', 2, '4815', 'Beschermingsmiddelen', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (7, 'Geschenk bij jubileum', 2, '4910', 'Jubileumuitkeringen', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (7, 'Attentie bij ziekte of geboorte', 2, '4915', 'Attenties', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (8, 'Mobiele telefoon', 3, '4950', 'Telefoonkosten', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (8, 'Laptop en tablet', 3, '4955', 'Computerapparatuur', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (8, 'Internetabonnement thuis', 1, '4960', 'Internetkosten', NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00'),
    (NULL, 'Voorgeschoten zakelijke uitgaven', 4, '4990', 'Intermediaire kosten', 'Kosten die de werknemer namens de werkgever voorschiet.', '2024-01-01 00:00:00', '2024-01-01 00:00:00');

INSERT INTO dbparams (param_cd, param_value) VALUES ('db_versie', '2024.1');
