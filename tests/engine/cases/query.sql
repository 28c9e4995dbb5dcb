-- find customers
SELECT name, COUNT(*) FROM Customers
WHERE city = 'Taipei' AND age >= 18 -- adults
Order By name;
/* multi
   line */ insert INTO t VALUES ('it''s', 'a<b');
