;;; demo.el --- comment
(defun f (x)
  "Doc string over
two lines with \"quotes\"."
  (message "%s" x)) ; comment
