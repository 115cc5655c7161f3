-- The PostgreSQL schema of the server import tests.
CREATE TYPE mood AS ENUM ('calm', 'busy', 'closed');
CREATE DOMAIN price AS numeric(10, 2) CHECK (VALUE >= 0);
CREATE TABLE customer (
  id integer GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
  name varchar(40) NOT NULL,
  kind varchar(10) NOT NULL DEFAULT 'retail' CHECK (kind IN ('retail', 'trade')),
  active boolean NOT NULL DEFAULT true,
  state mood,
  referrer integer REFERENCES customer (id)
);
CREATE TABLE "order" (
  customer_id integer NOT NULL REFERENCES customer (id),
  number serial,
  "ship to" text CHECK ("ship to" = 'home' OR "ship to" = 'shop'),
  placed date NOT NULL DEFAULT CURRENT_DATE,
  PRIMARY KEY (customer_id, number)
);
CREATE TABLE order_line (
  customer_id integer NOT NULL,
  order_number integer NOT NULL,
  line smallint NOT NULL,
  cost price NOT NULL,
  PRIMARY KEY (customer_id, order_number, line),
  FOREIGN KEY (customer_id, order_number) REFERENCES "order" (customer_id, number)
);
CREATE TABLE team (id integer PRIMARY KEY, lead_id integer);
CREATE TABLE member (id integer PRIMARY KEY, team_id integer REFERENCES team (id));
ALTER TABLE team ADD FOREIGN KEY (lead_id) REFERENCES member (id);
CREATE VIEW big_customer AS SELECT id, name FROM customer;
CREATE DOMAIN size AS text CHECK (VALUE IN ('S', 'M', 'L'));
CREATE TABLE "select" (
  "from" integer PRIMARY KEY,
  fit size,
  picture bytea,
  made timestamp NOT NULL DEFAULT now(),
  code text NOT NULL DEFAULT upper('x'),
  price_with_tax numeric GENERATED ALWAYS AS (1.2) STORED,
  flag text CHECK (flag = ANY (ARRAY['y', 'n']))
);
-- Domains give their columns NOT NULL, a default and a CHECK list; a column's own default
-- comes first. A domain over an enumerated type lists its values, and so does one over that.
CREATE DOMAIN grade AS text NOT NULL DEFAULT 'fair' CHECK (VALUE IN ('poor', 'fair', 'good'));
CREATE DOMAIN open_mood AS mood DEFAULT 'busy';
CREATE DOMAIN team_mood AS open_mood NOT NULL;
CREATE DOMAIN stamp AS timestamp NOT NULL DEFAULT now();
CREATE DOMAIN token AS text NOT NULL DEFAULT md5('x');
CREATE TABLE review (
  id integer PRIMARY KEY,
  code varchar(12) NOT NULL,
  grade grade,
  second_grade grade DEFAULT 'good',
  mood open_mood,
  team_mood team_mood,
  seen stamp,
  token token,
  alias text,
  note text,
  pair_a integer,
  pair_b integer,
  ref integer
);
-- Unique indexes of one column alone hold it to distinct values; a partial one, one of an
-- expression and one of two columns do not.
CREATE UNIQUE INDEX review_code ON review (code);
CREATE UNIQUE INDEX review_ref ON review (ref) INCLUDE (pair_a);
CREATE UNIQUE INDEX review_alias ON review (alias) WHERE alias <> '';
CREATE UNIQUE INDEX review_note ON review (lower(note));
CREATE UNIQUE INDEX review_pair ON review (pair_a, pair_b);
