;;; sample.scm: a queue and a breadth-first search, an example of Scheme (R7RS).
(import (scheme base) (scheme write))

#| Block comments nest in Scheme:
   #| an inner comment |# and this line is still a comment. |#

;; A functional queue: a front list and a reversed back list.
(define-record-type queue
  (make-queue front back)
  queue?
  (front queue-front)
  (back queue-back))

(define empty-queue (make-queue '() '()))

(define (queue-empty? q)
  (and (null? (queue-front q)) (null? (queue-back q))))

(define (enqueue q x)
  (make-queue (queue-front q) (cons x (queue-back q))))

(define (dequeue q)
  (if (null? (queue-front q))
      (dequeue (make-queue (reverse (queue-back q)) '()))
      (values (car (queue-front q))
              (make-queue (cdr (queue-front q)) (queue-back q)))))

(define graph
  '((a b c) (b d) (c d e) (d f) (e f) (f)))

(define (neighbours node)
  (cdr (assq node graph)))

(define (bfs start)
  "Visits the graph breadth first from start and
returns the nodes in the order they were reached."
  (let loop ((q (enqueue empty-queue start)) (seen (list start)) (order '()))
    (if (queue-empty? q)
        (reverse order)
        (let-values (((node rest) (dequeue q)))
          (let ((new (filter-new (neighbours node) seen)))
            (loop (fold-left enqueue rest new)
                  (append seen new)
                  (cons node order)))))))

(define (filter-new nodes seen)
  (cond ((null? nodes) '())
        ((memq (car nodes) seen) (filter-new (cdr nodes) seen))
        (else (cons (car nodes) (filter-new (cdr nodes) seen)))))

(define (fold-left f init xs)
  (if (null? xs) init (fold-left f (f init (car xs)) (cdr xs))))

(display "order: ")
(write (bfs 'a))   ; prints (a b c d e f)
(newline)
(display "a \"quoted\" word and a char: ")
(write #\x)
(newline)
