// vorel-convert's line-end normaliser: LF, CR LF and a lone CR become CR LF,
// whole or in pieces.
#include "text/line_ends.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace vorel::text;

namespace {

// The obvious version the normaliser must agree with.
std::string reference(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r') {
      out += "\r\n";
      if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
    } else if (s[i] == '\n') {
      out += "\r\n";
    } else {
      out += s[i];
    }
  }
  return out;
}

// Through the piecewise normaliser, cut wherever cuts says.
std::string in_pieces(const std::string& s, const std::vector<std::size_t>& cuts) {
  LineEndNormaliser normaliser;
  std::string out;
  std::size_t from = 0;
  for (std::size_t i = 0; i <= cuts.size(); ++i) {
    const std::size_t to = i < cuts.size() ? cuts[i] : s.size();
    std::string piece(2 * (to - from), '?');
    piece.resize(normaliser.feed(s.data() + from, to - from, piece.data()));
    out += piece;
    from = to;
  }
  return out;
}

TEST(LineEnds, EveryKindOfLineEndBecomesCrLf) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"", ""},
      {"abc", "abc"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\rb\r", "a\r\nb\r\n"},
      {"\n\r", "\r\n\r\n"},
      {"\r\r\n\n", "\r\n\r\n\r\n"},
      {"x\ny\rz\r\nw", "x\r\ny\r\nz\r\nw"},
  };
  for (const Case& c : cases) {
    // Whole, into exactly the room the growth promises.
    const std::string in = c.in;
    std::string out(in.size() + line_end_growth(in.data(), in.size()), '?');
    EXPECT_EQ(LineEndNormaliser().feed(in.data(), in.size(), out.data()), out.size()) << c.in;
    EXPECT_EQ(out, c.out) << c.in;
    // A byte at a time.
    std::vector<std::size_t> cuts;
    for (std::size_t at = 1; at < in.size(); ++at) cuts.push_back(at);
    EXPECT_EQ(in_pieces(in, cuts), c.out) << c.in;
  }
}

TEST(LineEnds, GrowthCountsOnlyTheMissingHalves) {
  EXPECT_EQ(line_end_growth("a\r\nb\r\n", 6), 0u);
  EXPECT_EQ(line_end_growth("a\nb\n", 4), 2u);
  EXPECT_EQ(line_end_growth("a\rb\r", 4), 2u);
  EXPECT_EQ(line_end_growth("\r", 1), 1u);
}

TEST(LineEndsInPieces, ACrLfCutBetweenTwoPiecesStaysOneLineEnd) {
  EXPECT_EQ(in_pieces("a\r\nb", {2}), "a\r\nb");
  EXPECT_EQ(in_pieces("a\r\n\nb", {2, 3}), "a\r\n\r\nb");
  EXPECT_EQ(in_pieces("a\r", {2}), "a\r\n");               // empty last piece
  EXPECT_EQ(in_pieces("a\n\nb\n", {}), "a\r\n\r\nb\r\n");  // LF only: the line-copy path
  EXPECT_EQ(in_pieces("\r", {0, 0, 1}), "\r\n");
}

TEST(LineEndsInPieces, RandomMixesAndCutsAgreeWithTheObviousVersion) {
  std::mt19937 rng(54321);
  const char alphabet[] = {'a', '\r', '\n', 'b', '\n'};
  for (int round = 0; round < 2000; ++round) {
    std::string s(rng() % 40, ' ');
    // Every other text has no CR at all, so both paths of feed run.
    for (char& c : s) c = alphabet[rng() % (round % 2 ? 5 : 4)];
    if (round % 2)
      for (char& c : s)
        if (c == '\r') c = 'c';
    std::vector<std::size_t> cuts;
    for (std::size_t at = 0; at < s.size(); at += 1 + rng() % 6) cuts.push_back(at);
    const std::string want = reference(s);
    ASSERT_EQ(s.size() + line_end_growth(s.data(), s.size()), want.size()) << round;
    ASSERT_EQ(in_pieces(s, cuts), want) << round;
  }
}

}  // namespace
