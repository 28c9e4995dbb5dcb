;;; sample.el --- count words in the region, an example of Emacs Lisp -*- lexical-binding: t -*-

;;; Commentary:
;; Adds a command that reports the number of words, lines and
;; characters in the region, or in the buffer when no region is active.

;;; Code:

(require 'subr-x)

(defgroup sample-count nil
  "Counting words in a buffer."
  :group 'convenience)

(defcustom sample-count-word-regexp "\\w+"
  "Regular expression matching one word.
A string over two lines, with a \"quoted\" part."
  :type 'regexp
  :group 'sample-count)

(defvar sample-count-history nil
  "Results of earlier counts, newest first.")

(defun sample-count--words (start end)
  "Return the number of words between START and END."
  (save-excursion
    (goto-char start)
    (let ((n 0))
      (while (re-search-forward sample-count-word-regexp end t)
        (setq n (1+ n)))
      n)))

(defun sample-count (start end)
  "Report words, lines and characters between START and END."
  (interactive
   (if (use-region-p)
       (list (region-beginning) (region-end))
     (list (point-min) (point-max))))
  (let* ((words (sample-count--words start end))
         (lines (count-lines start end))
         (chars (- end start))
         (text (format "%d words, %d lines, %d characters" words lines chars)))
    (push (list words lines chars) sample-count-history)
    (when (> (length sample-count-history) 10)
      (setq sample-count-history (seq-take sample-count-history 10)))
    (message "%s" text)
    text))

(global-set-key (kbd "C-c w") #'sample-count)

(provide 'sample)
;;; sample.el ends here
