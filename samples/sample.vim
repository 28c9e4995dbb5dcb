" sample.vim: trims trailing blanks and keeps a word count, an example of Vim script.
" Maintainer: Mei Lin

if exists('g:loaded_wordcount') || &compatible
  finish
endif
let g:loaded_wordcount = 1

let s:save_cpo = &cpo
set cpo&vim

" Removes trailing blanks but keeps the cursor where it was.
function! s:TrimTrailing() abort
  let l:view = winsaveview()
  keeppatterns %s/\s\+$//e
  call winrestview(l:view)
endfunction

function! wordcount#Count(...) abort
  " a:0 is the number of optional arguments
  let l:lines = a:0 ? getline(a:1, a:2) : getline(1, '$')
  let l:total = 0
  for l:line in l:lines
    let l:total += len(split(l:line, '\W\+'))
  endfor
  return l:total
endfunction

function! s:Report() abort
  let l:n = wordcount#Count()
  echohl Title
  echo printf('%d words in %s', l:n, expand('%:t'))
  echohl None
endfunction

augroup wordcount
  autocmd!
  autocmd BufWritePre *.txt,*.md call s:TrimTrailing()
augroup END

command! -nargs=0 WordCount call s:Report()
nnoremap <silent> <Leader>wc :WordCount<CR>

let s:messages = {
      \ 'empty': 'nothing to count',
      \ 'it''s': 'doubled quotes stay in the string',
      \ }

let &cpo = s:save_cpo
unlet s:save_cpo
