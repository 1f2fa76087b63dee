-- The program's database. Kept to SQL that both Access and SQLite accept:
-- VARCHAR(n) with n <= 255, INTEGER, named table constraints, one row per
-- INSERT, views for the q_ queries. This file is UTF-8; the database holds
-- code page 1251 texts.
--
-- Every data table ends with its numeric id column. The i_ tables describe
-- the visible columns of their data table in table order, one row each:
-- title, editor kind (0 text, 3 drop-down list, 5 date and time button),
-- width divisor (1 or more), lookup table of a drop-down list.

CREATE TABLE phbook (
    name VARCHAR(32),
    phone1 VARCHAR(32),
    phone2 VARCHAR(32),
    phone3 VARCHAR(32),
    phone4 VARCHAR(32),
    phone5 VARCHAR(32),
    info1 VARCHAR(32),
    info2 VARCHAR(32),
    stamp VARCHAR(15),
    id INTEGER NOT NULL,
    CONSTRAINT pk_phbook PRIMARY KEY (id)
);

CREATE TABLE sched (
    starts VARCHAR(15),
    choice VARCHAR(32),
    content VARCHAR(32),
    melody VARCHAR(64),
    id INTEGER NOT NULL,
    CONSTRAINT pk_sched PRIMARY KEY (id)
);

CREATE TABLE memo (
    stamp VARCHAR(15),
    content VARCHAR(32),
    id INTEGER NOT NULL,
    CONSTRAINT pk_memo PRIMARY KEY (id)
);

CREATE TABLE photo (
    tag VARCHAR(49),
    name VARCHAR(49),
    fsize VARCHAR(49),
    id INTEGER NOT NULL,
    CONSTRAINT pk_photo PRIMARY KEY (id)
);

CREATE TABLE camera (
    tag VARCHAR(49),
    name VARCHAR(49),
    fsize VARCHAR(49),
    id INTEGER NOT NULL,
    CONSTRAINT pk_camera PRIMARY KEY (id)
);

CREATE TABLE musik (
    mus_id INTEGER NOT NULL,
    name VARCHAR(64),
    CONSTRAINT pk_musik PRIMARY KEY (mus_id)
);

CREATE TABLE i_phbook (
    title VARCHAR(32),
    editor INTEGER,
    divisor INTEGER,
    lookup VARCHAR(32)
);
INSERT INTO i_phbook VALUES ('Имя', 0, 6, '');
INSERT INTO i_phbook VALUES ('Номер 1', 0, 10, '');
INSERT INTO i_phbook VALUES ('Номер 2', 0, 10, '');
INSERT INTO i_phbook VALUES ('Номер 3', 0, 10, '');
INSERT INTO i_phbook VALUES ('Номер 4', 0, 10, '');
INSERT INTO i_phbook VALUES ('Номер 5', 0, 10, '');
INSERT INTO i_phbook VALUES ('Текст 1', 0, 12, '');
INSERT INTO i_phbook VALUES ('Текст 2', 0, 12, '');
INSERT INTO i_phbook VALUES ('Изменено', 5, 6, '');

CREATE TABLE i_sched (
    title VARCHAR(32),
    editor INTEGER,
    divisor INTEGER,
    lookup VARCHAR(32)
);
INSERT INTO i_sched VALUES ('Начало', 5, 4, '');
INSERT INTO i_sched VALUES ('Выбор', 0, 8, '');
INSERT INTO i_sched VALUES ('Текст', 0, 3, '');
INSERT INTO i_sched VALUES ('Мелодия', 3, 4, 'musik');

CREATE TABLE i_memo (
    title VARCHAR(32),
    editor INTEGER,
    divisor INTEGER,
    lookup VARCHAR(32)
);
INSERT INTO i_memo VALUES ('Время', 5, 3, '');
INSERT INTO i_memo VALUES ('Текст', 0, 2, '');

CREATE TABLE i_photo (
    title VARCHAR(32),
    editor INTEGER,
    divisor INTEGER,
    lookup VARCHAR(32)
);
INSERT INTO i_photo VALUES ('Метка', 0, 6, '');
INSERT INTO i_photo VALUES ('Имя файла', 0, 2, '');
INSERT INTO i_photo VALUES ('Размер', 0, 4, '');

CREATE TABLE i_camera (
    title VARCHAR(32),
    editor INTEGER,
    divisor INTEGER,
    lookup VARCHAR(32)
);
INSERT INTO i_camera VALUES ('Метка', 0, 6, '');
INSERT INTO i_camera VALUES ('Имя файла', 0, 2, '');
INSERT INTO i_camera VALUES ('Размер', 0, 4, '');

CREATE VIEW q_photo AS SELECT tag, name, fsize, id FROM photo;
CREATE VIEW q_camera AS SELECT tag, name, fsize, id FROM camera;
