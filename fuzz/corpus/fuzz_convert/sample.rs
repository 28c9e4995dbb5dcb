[S]
case=1
stxfile1=k1.txt
stxfile2=k2.txt
str1="
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/#@$`
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--
abstract 1C00000
as 1C00000
async 1C00000
await 1C00000
become 1C00000
box 1C00000
break 1C00000
const 1C00000
continue 1C00000
crate 1C00000
do 1C00000
dyn 1C00000
else 1C00000
enum 1C00000
extern 1C00000
false 1C00000
final 1C00000
fn 1C00000
for 1C00000
gen 1C00000
if 1C00000
impl 1C00000
in 1C00000
let 1C00000
loop 1C00000
macro 1C00000
macro_rules 1C00000
match 1C00000
mod 1C00000
move 1C00000
mut 1C00000
override 1C00000
priv 1C00000
pub 1C00000
ref 1C00000
return 1C00000
Self 1C00000
self 1C00000
static 1C00000
struct 1C00000
super 1C00000
trait 1C00000
true 1C00000
try 1C00000
type 1C00000
typeof 1C00000
union 1C00000
unsafe 1C00000
unsized 1C00000
use 1C00000
virtual 1C00000

--8<--
allow 50A0
Arc A00080
AsRef A00080
assert A00080
assert_eq A00080
assert_ne A00080
bool A00080
Box A00080
BTreeMap A00080
BTreeSet A00080
Cell A00080
cfg 50A0
char A00080
Clone A00080
clone A00080
collect A00080
collections A00080
Copy A00080
Debug A00080
Default A00080
derive 50A0
Display A00080
Drop A00080
eprint A00080
eprintln A00080
Eq A00080
Err A00080
expect A00080
f32 A00080
f64 A00080
fmt A00080
Fn A00080
FnMut A00080
FnOnce A00080
format A00080
From A00080
Hash A00080
HashMap A00080

--8<--
hs 4294967290 0 S
--8<--
// sample.rs: word statistics from standard input, a small example of Rust.
use std::collections::HashMap;
use std::io::{self, BufRead};

/// Counts of one input.
#[derive(Debug, Default)]
struct Stats {
    lines: usize,
    words: usize,
    freq: HashMap<String, u32>,
}

impl Stats {
    fn add_line(&mut self, line: &str) {
        self.lines += 1;
        for word in line.split_whitespace() {
            let word = word.trim_matches(|c: char| !c.is_alphanumeric()).to_lowercase();
            if word.is_empty() {
                continue;
            }
            self.words += 1;
            *self.freq.entry(word).or_insert(0) += 1;
        }
    }

    /* The n most frequent words, ties broken alphabetically. */
    fn top(&self, n: usize) -> Vec<(&String, &u32)> {
        let mut all: Vec<_> = self.freq.iter().collect();
        all.sort_by(|a, b| b.1.cmp(a.1).then(a.0.cmp(b.0)));
        all.truncate(n);
        all
    }
}

fn main() -> io::Result<()> {
    let stdin = io::stdin();
    let mut stats = Stats::default();
    for line in stdin.lock().lines() {
        stats.add_line(&line?);
    }
    println!("{} lines, {} words", stats.lines, stats.words);
    for (word, count) in stats.top(10) {
        println!("{:>6} {}", count, word);
    }
    Ok(())
}
