-- The rows of a table are named by its first text column that a UNIQUE constraint or a unique
-- index of that column alone keeps distinct, else by one named like a name; the primary key,
-- a partial index and an index of several columns or of an expression do not count.
CREATE TABLE Staff (StaffId INTEGER PRIMARY KEY, Badge TEXT UNIQUE, Nickname TEXT,
                    Boss INTEGER REFERENCES Staff);
CREATE TABLE Room (Code CHAR(4) PRIMARY KEY, Floor INTEGER, Wing TEXT, Phone TEXT, Email TEXT,
                   Parent CHAR(4) REFERENCES Room, UNIQUE (Floor, Wing));
CREATE UNIQUE INDEX RoomPhone ON Room (Phone) WHERE Phone IS NOT NULL;
CREATE UNIQUE INDEX RoomWing ON Room (lower(Wing));
CREATE UNIQUE INDEX RoomEmail ON Room (Email);
