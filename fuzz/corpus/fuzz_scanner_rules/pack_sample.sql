h
--8<--
files=*.sql
case=0
str1='
str2="
delimiter=~!%^&*()-+=[]{}|\:;'<>,.?/"
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=--

--8<--

--8<--
-- sample.sql: a small order database, an example of SQL.
CREATE TABLE customers (
    id         INTEGER PRIMARY KEY,
    name       VARCHAR(100) NOT NULL,
    email      VARCHAR(200) UNIQUE,
    created_at TIMESTAMP DEFAULT CURRENT_TIMESTAMP
);

CREATE TABLE orders (
    id          INTEGER PRIMARY KEY,
    customer_id INTEGER NOT NULL REFERENCES customers(id),
    total       DECIMAL(10, 2) NOT NULL CHECK (total >= 0),
    status      VARCHAR(20) DEFAULT 'open'
);

CREATE INDEX orders_by_customer ON orders (customer_id);

INSERT INTO customers (id, name, email)
VALUES (1, 'Alice Chen', 'alice@example.com'),
       (2, 'Bob Lin', NULL);

INSERT INTO orders (id, customer_id, total, status)
VALUES (10, 1, 99.50, 'paid'), (11, 1, 12.00, 'open'), (12, 2, 45.25, 'paid');

/* Customers with their paid revenue, best first;
   customers without paid orders are listed with zero. */
SELECT c.name,
       COUNT(o.id)                 AS paid_orders,
       COALESCE(SUM(o.total), 0)   AS revenue
FROM customers c
LEFT JOIN orders o ON o.customer_id = c.id AND o.status = 'paid'
GROUP BY c.id, c.name
HAVING COALESCE(SUM(o.total), 0) >= 0
ORDER BY revenue DESC;

UPDATE orders SET status = 'cancelled'
WHERE status = 'open' AND total < 20;
