-- A list of literals is a combo box that takes nothing else (repeated values listed once);
-- two values a check box whose first entry is the checked one; dates and times get masks as
-- SQLite's date and time functions write them; other constraints, a column without a type and
-- text declared with BLOB in its type leave a plain text box.
CREATE TABLE ITEM (
  STATUS CHAR(1) NOT NULL CHECK (STATUS IN ('O', 'C', 'X', 'O')),
  "Size" TEXT,
  PAID CHAR(1) CHECK (PAID IN ('N', 'Y')),
  LEVEL INTEGER CHECK (LEVEL IN (-1, 0, +1)),
  SIGN INTEGER CHECK (SIGN IN (1, 0)),
  ACTIVE BOOLEAN,
  PHOTO BLOB, SCAN image,
  ADDED DATE, OPENS TIME, CHANGED DATETIME, STAMP timestamp, MEMO BLOB SUB_TYPE TEXT,
  QTY INTEGER CHECK (QTY > 0), KIND TEXT CHECK (KIND NOT IN ('A', 'B')),
  PART TEXT CHECK (PART = 'A' OR KIND = 'B'), UNTYPED,
  CHECK ( ("size" = 'S') OR "SIZE" == 'M' OR size = 'L' ));
