-- Demo: release 2013/2.
ALTER TABLE demo ADD nota VARCHAR(40);
