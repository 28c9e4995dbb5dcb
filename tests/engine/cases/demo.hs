{- outer {- nested -} still comment -} main :: IO ()
main = putStrLn "say \"hi\"" -- comment
foldl' f z xs = xs
quote = '"'  -- a quote character
esc = '\"'
data T = A | B deriving (Show, Eq)
