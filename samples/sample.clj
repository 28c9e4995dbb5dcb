;; sample.clj: a small library catalogue, an example of Clojure.
(ns demo.catalogue
  (:require [clojure.string :as str]
            [clojure.set :refer [union]]))

(defrecord Book [title author year tags])

(def ^:private books
  [(->Book "Structure and Interpretation" "Abelson" 1985 #{:lisp :classic})
   (->Book "The Joy of Clojure" "Fogus" 2011 #{:clojure})
   (->Book "Out of the Tar Pit" "Moseley" 2006 #{:essay})])

(defn by-tag
  "Returns the books that carry tag, oldest first.
  A docstring may span lines and hold \"quotes\"."
  [tag coll]
  (->> coll
       (filter #(contains? (:tags %) tag))
       (sort-by :year)))

(defn all-tags [coll]
  (reduce union #{} (map :tags coll)))

(defn describe [{:keys [title author year]}]
  (format "%s (%s, %d)" title author year))

#_(println "this form is skipped by the reader")

(defn -main [& args]
  (let [tag (keyword (or (first args) "classic"))
        found (by-tag tag books)]
    (if (empty? found)
      (println "no books tagged" (name tag))
      (doseq [b found]
        (println (describe b))))
    (println "tags:" (str/join ", " (map name (sort (all-tags books)))))
    (when-let [newest (last (sort-by :year books))]
      (println "newest:" (:title newest)))))
