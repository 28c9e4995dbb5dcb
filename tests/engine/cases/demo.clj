(defn f
  "Doc string over
  two lines with \"quotes\"."
  [x] ; comment
  (println "hi" x))
#!shebang comment
