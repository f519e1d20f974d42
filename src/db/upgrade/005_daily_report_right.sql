-- The daily fund report's right: "资金日报表" in the system rights. Operators who keep a journal
-- (cash F5 or bank F0) may see the company's balances from the first opening on.
ALTER TABLE tuser ADD COLUMN F18 INTEGER CHECK (F18 IN (0, 1));
UPDATE tuser SET F18 = 1 WHERE F5 = 1 OR F0 = 1;
