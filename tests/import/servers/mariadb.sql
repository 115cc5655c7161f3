-- The MariaDB schema of the server import tests.
CREATE TABLE customer (
  id int AUTO_INCREMENT PRIMARY KEY,
  name varchar(40) NOT NULL,
  kind varchar(10) NOT NULL DEFAULT 'retail' CHECK (kind IN ('retail', 'trade')),
  active tinyint(1) NOT NULL DEFAULT 1,
  state enum('calm', 'busy', 'closed'),
  tags set('new', 'vip', 'late'),
  referrer int,
  FOREIGN KEY (referrer) REFERENCES customer (id)
) ENGINE = InnoDB;
CREATE TABLE `order` (
  customer_id int NOT NULL,
  number int NOT NULL,
  `ship to` varchar(10) CHECK (`ship to` = 'home' OR `ship to` = 'shop'),
  placed date NOT NULL DEFAULT (curdate()),
  PRIMARY KEY (customer_id, number),
  FOREIGN KEY (customer_id) REFERENCES customer (id)
) ENGINE = InnoDB;
CREATE TABLE order_line (
  customer_id int NOT NULL,
  order_number int NOT NULL,
  line smallint NOT NULL,
  cost decimal(10, 2) NOT NULL,
  PRIMARY KEY (customer_id, order_number, line),
  FOREIGN KEY (customer_id, order_number) REFERENCES `order` (customer_id, number)
) ENGINE = InnoDB;
CREATE TABLE team (id int PRIMARY KEY, lead_id int) ENGINE = InnoDB;
CREATE TABLE member (id int PRIMARY KEY, team_id int,
  FOREIGN KEY (team_id) REFERENCES team (id)) ENGINE = InnoDB;
ALTER TABLE team ADD FOREIGN KEY (lead_id) REFERENCES member (id);
CREATE TABLE note (id int PRIMARY KEY, customer_id int,
  picture blob, made datetime NOT NULL DEFAULT current_timestamp(),
  FOREIGN KEY (customer_id) REFERENCES customer (id)) ENGINE = MyISAM;
CREATE VIEW big_customer AS SELECT id, name FROM customer;
-- Unique keys of one column alone hold it to distinct values (a key of its first characters
-- too); a key of two columns does not.
CREATE TABLE review (
  id int PRIMARY KEY,
  code varchar(12) NOT NULL,
  alias varchar(40),
  note text,
  pair_a int,
  pair_b int,
  UNIQUE KEY (alias(8)),
  UNIQUE KEY (note),
  UNIQUE KEY pair (pair_a, pair_b)
) ENGINE = InnoDB;
CREATE UNIQUE INDEX review_code ON review (code);
