{-# LANGUAGE ScopedTypeVariables #-}
-- sample.hs: a word frequency counter, an example of Haskell.
module Main (main) where

import qualified Data.Map.Strict as Map
import Data.Char (isAlpha, toLower)
import Data.List (sortBy)
import Data.Ord (comparing, Down (..))
import System.Environment (getArgs)

{- Block comments nest in Haskell:
   {- this inner comment -} does not end the outer one,
   so this line is still a comment. -}

-- | Frequencies of the words of a text.
type Counts = Map.Map String Int

countWords :: String -> Counts
countWords = foldr (\w -> Map.insertWith (+) w 1) Map.empty . words . map clean
  where
    clean c
      | isAlpha c = toLower c
      | otherwise = ' '

top :: Int -> Counts -> [(String, Int)]
top n = take n . sortBy (comparing (Down . snd)) . Map.toList

format' :: (String, Int) -> String
format' (word, count) = show count ++ "\t" ++ word ++ "\""

data Mode = Top Int | All
  deriving (Show, Eq)

parseArgs :: [String] -> Maybe (Mode, FilePath)
parseArgs ["--all", path] = Just (All, path)
parseArgs [path]          = Just (Top 10, path)
parseArgs _               = Nothing

main :: IO ()
main = do
  args <- getArgs
  case parseArgs args of
    Nothing -> putStrLn "usage: sample [--all] FILE"
    Just (mode, path) -> do
      text <- readFile path
      let counts = countWords text
          pick = case mode of
            Top n -> top n
            All   -> top (Map.size counts)
      mapM_ (putStrLn . format') (pick counts)
      let x' = Map.size counts
      if x' == 0 then putStrLn "no words" else return ()
