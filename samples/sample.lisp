;;;; sample.lisp: an inventory with generic functions, an example of Common Lisp.
(defpackage #:inventory
  (:use #:cl)
  (:export #:make-shelf #:stock #:report))

(in-package #:inventory)

#| Block comments nest in Common Lisp:
   #| an inner comment |# and this line is still a comment. |#

(defclass item ()
  ((name :initarg :name :reader item-name)
   (price :initarg :price :accessor item-price)
   (count :initarg :count :initform 0 :accessor item-count))
  (:documentation "One kind of thing on a shelf."))

(defstruct shelf
  (label "unnamed" :type string)
  (items (make-hash-table :test #'equal)))

(defgeneric value (thing)
  (:documentation "What THING is worth, in cents."))

(defmethod value ((i item))
  (* (item-price i) (item-count i)))

(defmethod value ((s shelf))
  (loop for i being the hash-values of (shelf-items s)
        sum (value i)))

(defun stock (shelf name price &optional (count 1))
  "Adds COUNT of NAME to SHELF; a \"new\" name creates the item."
  (let ((item (gethash name (shelf-items shelf))))
    (if item
        (incf (item-count item) count)
        (setf (gethash name (shelf-items shelf))
              (make-instance 'item :name name :price price :count count)))
    shelf))

(defun report (shelf &key (stream *standard-output*))
  (format stream "~&Shelf ~a~%" (shelf-label shelf))
  (let ((names (sort (loop for k being the hash-keys of (shelf-items shelf) collect k)
                     #'string<)))
    (dolist (name names)
      (let ((i (gethash name (shelf-items shelf))))
        (format stream "  ~10a ~3d x ~6,2f~%"
                name (item-count i) (/ (item-price i) 100))))
    (format stream "Total: ~,2f~%" (/ (value shelf) 100))))

(let ((s (make-shelf :label "pantry")))
  (stock s "tea" 350 2)
  (stock s "rice" 199)
  (stock s "tea" 350)
  (handler-case (report s)
    (error (e) (format *error-output* "report failed: ~a~%" e))))
