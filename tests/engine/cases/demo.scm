#| outer #| nested |# still comment |# (define x 1)
(define s "multi
line \"q\"")
(define h #<<END
here string "not" ; a comment
END
)
(display s) ; comment
