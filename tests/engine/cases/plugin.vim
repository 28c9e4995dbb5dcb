" sample.vim: trims trailing blanks and keeps a word count, an example of Vim script.
" Maintainer: Mei Lin


" Removes trailing blanks but keeps the cursor where it was.
function! s:TrimTrailing() abort
  let l:view = winsaveview()
  keeppatterns %s/\s\+$//e
  call winrestview(l:view)

let s:messages = {
      \ 'empty': 'nothing to count',
      \ 'it''s': 'doubled quotes stay in the string',
      \ }
