h
--8<--
files=*.cpp *.cc *.cxx *.c++ *.hpp *.hh *.hxx *.h++ *.inl *.ipp *.tcc
case=1
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--

--8<--
// sample.cpp: a word-frequency table, a small example of modern C++.
#include <algorithm>
#include <cctype>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace demo {

/* Counts how often each word occurs; words are compared
   case-sensitively, punctuation ends a word. */
class WordTable {
 public:
  void add(const std::string& word) { ++counts_[word]; }

  std::vector<std::pair<std::string, int>> top(std::size_t n) const {
    std::vector<std::pair<std::string, int>> items(counts_.begin(), counts_.end());
    std::sort(items.begin(), items.end(),
              [](const auto& a, const auto& b) { return a.second > b.second; });
    if (items.size() > n) items.resize(n);
    return items;
  }

 private:
  std::map<std::string, int> counts_;
};

}  // namespace demo

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::cerr << "usage: sample <file>" << std::endl;
    return 1;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << "cannot open " << argv[1] << '\n';
    return 2;
  }
  demo::WordTable table;
  std::string word;
  while (in >> word) {
    auto end = std::remove_if(word.begin(), word.end(),
                              [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
    word.erase(end, word.end());
    if (!word.empty()) table.add(word);
  }
  for (const auto& [text, count] : table.top(10)) {
    std::cout << count << "\t" << text << '\n';
  }
  return 0;
}
