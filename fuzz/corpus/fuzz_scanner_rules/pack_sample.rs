h
--8<--
files=*.rs
case=1
str1="
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/#@$`
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--

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
