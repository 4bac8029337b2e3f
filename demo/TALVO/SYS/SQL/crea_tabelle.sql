-- Demo: a script already installed.
CREATE TABLE demo (id INTEGER);
