CREATE TABLE Genre (GenreId INTEGER PRIMARY KEY, Name NVARCHAR(120));
CREATE TABLE MediaType (MediaTypeCode CHAR(3) PRIMARY KEY, Description VARCHAR(40) NOT NULL);
CREATE TABLE Track (
  TrackId INTEGER PRIMARY KEY,
  Title NVARCHAR(200) NOT NULL,
  GenreId INTEGER REFERENCES Genre (GenreId),
  MediaTypeCode CHAR(3) NOT NULL DEFAULT 'MP3' REFERENCES MediaType (MediaTypeCode),
  Milliseconds INTEGER NOT NULL
);
CREATE TABLE PlaylistTrack (
  PlaylistId INTEGER NOT NULL REFERENCES Playlist (PlaylistId),
  TrackId INTEGER NOT NULL REFERENCES Track (TrackId),
  AddedBy INTEGER REFERENCES Listener (ListenerId),
  PRIMARY KEY (PlaylistId, TrackId)
);
-- A grid column that holds a key of a table other than the form's own gets the name beside it.
CREATE TABLE Playlist (PlaylistId INTEGER PRIMARY KEY, Name NVARCHAR(120));
CREATE TABLE Listener (ListenerId INTEGER PRIMARY KEY, Name NVARCHAR(60) UNIQUE);
