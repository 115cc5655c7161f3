-- A lookup on a detail: the list is filled again when the master record moves, before the
-- detail's rows are read and shown.
CREATE TABLE Album (AlbumId INTEGER PRIMARY KEY, Title NVARCHAR(160) NOT NULL);
CREATE TABLE Track (TrackId INTEGER PRIMARY KEY, Name NVARCHAR(200) NOT NULL,
                    AlbumId INTEGER REFERENCES Album (AlbumId),
                    CoverOf INTEGER REFERENCES Track (TrackId));
