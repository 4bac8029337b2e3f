SELECT (SELECT COUNT(*) FROM vbs_allievi WHERE cognome = 'D''Angelo') || ' ' ||
       (SELECT COUNT(*) FROM vbs_allievi WHERE cognome = 'Bianchi') || ' ' ||
       (SELECT COUNT(*) FROM vbs_registro);
