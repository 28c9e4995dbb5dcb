// vorel-convert's line-end normaliser: LF, CR LF and a lone CR become CR LF,
// in place or into a second buffer.
#include "cli/line_ends.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace vorel::cli;

namespace {

// The obvious forward version the in-place one must agree with.
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

std::string in_place(const std::string& s) {
  std::size_t growth = line_end_growth(s.data(), s.size());
  std::string buf = s;
  buf.resize(s.size() + growth);
  normalise_line_ends(buf.data(), s.size(), buf.data(), growth);
  return buf;
}

std::string into_copy(const std::string& s) {
  std::size_t growth = line_end_growth(s.data(), s.size());
  std::string out(s.size() + growth, '?');
  normalise_line_ends(s.data(), s.size(), out.data(), growth);
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
    EXPECT_EQ(in_place(c.in), c.out) << c.in;
    EXPECT_EQ(into_copy(c.in), c.out) << c.in;
  }
}

TEST(LineEnds, GrowthCountsOnlyTheMissingHalves) {
  EXPECT_EQ(line_end_growth("a\r\nb\r\n", 6), 0u);
  EXPECT_EQ(line_end_growth("a\nb\n", 4), 2u);
  EXPECT_EQ(line_end_growth("a\rb\r", 4), 2u);
  EXPECT_EQ(line_end_growth("\r", 1), 1u);
}

TEST(LineEnds, RandomMixesAgreeWithTheForwardVersion) {
  std::mt19937 rng(12345);
  const char alphabet[] = {'a', '\r', '\n', 'b'};
  for (int round = 0; round < 2000; ++round) {
    std::string s(rng() % 40, ' ');
    for (char& c : s) c = alphabet[rng() % 4];
    std::string want = reference(s);
    ASSERT_EQ(in_place(s), want) << round;
    ASSERT_EQ(into_copy(s), want) << round;
  }
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

TEST(LineEndsInPieces, ACrLfCutBetweenTwoPiecesStaysOneLineEnd) {
  EXPECT_EQ(in_pieces("a\r\nb", {2}), "a\r\nb");
  EXPECT_EQ(in_pieces("a\r\n\nb", {2, 3}), "a\r\n\r\nb");
  EXPECT_EQ(in_pieces("a\r", {2}), "a\r\n");             // empty last piece
  EXPECT_EQ(in_pieces("a\n\nb\n", {}), "a\r\n\r\nb\r\n");  // LF only: the line-copy path
  EXPECT_EQ(in_pieces("\r", {0, 0, 1}), "\r\n");
}

TEST(LineEndsInPieces, RandomMixesAndCutsAgreeWithTheForwardVersion) {
  std::mt19937 rng(54321);
  const char alphabet[] = {'a', '\r', '\n', 'b', '\n'};
  for (int round = 0; round < 2000; ++round) {
    std::string s(rng() % 40, ' ');
    // Every other text has no CR at all, so both paths of feed run.
    for (char& c : s) c = alphabet[rng() % (round % 2 ? 5 : 4)];
    if (round % 2) for (char& c : s) if (c == '\r') c = 'c';
    std::vector<std::size_t> cuts;
    for (std::size_t at = 0; at < s.size(); at += 1 + rng() % 6) cuts.push_back(at);
    ASSERT_EQ(in_pieces(s, cuts), reference(s)) << round;
  }
}

}  // namespace
