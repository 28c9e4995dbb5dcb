h
--8<--
files=*.js *.mjs *.cjs *.jsx
case=1
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/`#@
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--

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
