[S]
case=1
stxfile1=k1.txt
stxfile2=k2.txt
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--
#define 50A0
#elif 50A0
#elifdef 50A0
#elifndef 50A0
#else 50A0
#embed 50A0
#endif 50A0
#error 50A0
#if 50A0
#ifdef 50A0
#ifndef 50A0
#include 50A0
#line 50A0
#pragma 50A0
#undef 50A0
#warning 50A0
__has_cpp_attribute 50A0
__has_include 50A0
alignas 1C00000
alignof 1C00000
and 1C00000
and_eq 1C00000
asm 1C00000
auto 1C00000
bitand 1C00000
bitor 1C00000
bool 1C00000
break 1C00000
case 1C00000
catch 1C00000
char 1C00000
char16_t 1C00000
char32_t 1C00000
char8_t 1C00000
class 1C00000
co_await 1C00000
co_return 1C00000
co_yield 1C00000
compl 1C00000
concept 1C00000
const 1C00000
const_cast 1C00000
consteval 1C00000
constexpr 1C00000
constinit 1C00000
continue 1C00000
decltype 1C00000

--8<--
abs A00080
accumulate A00080
all_of A00080
any A00080
any_of A00080
array A00080
assert A00080
async A00080
atomic A00080
bad_alloc A00080
bad_cast A00080
begin A00080
binary_search A00080
bind A00080
bitset A00080
byte A00080
cerr A00080
chrono A00080
cin A00080
clamp A00080
clog A00080
condition_variable A00080
copy A00080
copy_if A00080
count A00080
count_if A00080
cout A00080
data A00080
deque A00080
empty A00080
end A00080
endl A00080
EOF A00080
errno A00080
error_code A00080

--8<--
hs 4294967290 0 S
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
