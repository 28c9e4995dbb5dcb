#| outer #| nested |# still comment |# (defun f (x) x)
(defvar *s* "multi
line \"q\"")
(format t "~a~%" *s*) ; comment
