-- 25 pupils named Rossi among 30, and a register of 40 rows over uneven rowids.
DROP TABLE IF EXISTS vbs_allievi;
DROP TABLE IF EXISTS vbs_registro;
CREATE TABLE vbs_allievi (classe TEXT, cognome TEXT);
CREATE TABLE vbs_registro (voce TEXT);
WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 30)
  INSERT INTO vbs_allievi (rowid, classe, cognome) SELECT k, '1A', CASE WHEN k % 6 = 0 THEN 'Bianchi' ELSE 'Rossi' END FROM n;
WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 40)
  INSERT INTO vbs_registro (rowid, voce) SELECT CASE WHEN k <= 30 THEN k ELSE 1000 + k * 7 END, 'voce' FROM n;
