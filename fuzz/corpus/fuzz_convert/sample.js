[S]
case=1
stxfile1=k1.txt
stxfile2=k2.txt
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/`#@
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--
arguments 1C00000
async 1C00000
await 1C00000
break 1C00000
case 1C00000
catch 1C00000
class 1C00000
const 1C00000
continue 1C00000
debugger 1C00000
default 1C00000
delete 1C00000
do 1C00000
else 1C00000
enum 1C00000
export 1C00000
extends 1C00000
false 1C00000
finally 1C00000
for 1C00000
function 1C00000
get 1C00000
if 1C00000
import 1C00000
in 1C00000
Infinity 1C00000
instanceof 1C00000
let 1C00000
NaN 1C00000
new 1C00000
null 1C00000
of 1C00000
return 1C00000
set 1C00000
static 1C00000
super 1C00000
switch 1C00000
this 1C00000
throw 1C00000
true 1C00000
try 1C00000
typeof 1C00000
undefined 1C00000
var 1C00000
void 1C00000
while 1C00000
with 1C00000
yield 1C00000

--8<--
addEventListener A00080
all A00080
appendChild A00080
Array A00080
assign A00080
BigInt A00080
Boolean A00080
classList A00080
clearInterval A00080
clearTimeout A00080
concat A00080
console A00080
constructor A00080
createElement A00080
Date A00080
debug A00080
decodeURIComponent A00080
document A00080
encodeURIComponent A00080
entries A00080
Error A00080
error A00080
every A00080
exports A00080
fetch A00080
filter A00080
find A00080
findIndex A00080
forEach A00080
freeze A00080

--8<--
h 1 7 S
--8<--
// sample.js: a debounced search box, a small example of browser JavaScript.
'use strict';

const DELAY_MS = 250;

/* Returns a function that runs fn only after calls have
   stopped for the given delay. */
function debounce(fn, delay) {
  let timer = null;
  return function (...args) {
    clearTimeout(timer);
    timer = setTimeout(() => fn.apply(this, args), delay);
  };
}

async function search(query) {
  if (query.length < 2) {
    return [];
  }
  const response = await fetch('/api/search?q=' + encodeURIComponent(query));
  if (!response.ok) {
    throw new Error("search failed: " + response.status);
  }
  return response.json();
}

function render(list, results) {
  list.innerHTML = '';
  for (const item of results) {
    const li = document.createElement('li');
    li.textContent = item.title;
    list.appendChild(li);
  }
}

document.addEventListener('DOMContentLoaded', () => {
  const input = document.querySelector('#query');
  const list = document.getElementById('results');
  input.addEventListener('input', debounce(async (event) => {
    try {
      render(list, await search(event.target.value.trim()));
    } catch (err) {
      console.error(err);
    }
  }, DELAY_MS));
});
