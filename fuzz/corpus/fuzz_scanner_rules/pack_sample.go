h
--8<--
files=*.go
case=1
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/`#@$
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--

--8<--
// sample.go: a concurrent URL checker, a small example of Go.
package main

import (
	"fmt"
	"net/http"
	"os"
	"sync"
	"time"
)

// result is what one check reports.
type result struct {
	url     string
	status  int
	elapsed time.Duration
	err     error
}

/* check fetches one URL with a timeout; it never panics,
   failures come back in the result. */
func check(client *http.Client, url string) result {
	start := time.Now()
	resp, err := client.Get(url)
	if err != nil {
		return result{url: url, err: err}
	}
	defer resp.Body.Close()
	return result{url: url, status: resp.StatusCode, elapsed: time.Since(start)}
}

func main() {
	client := &http.Client{Timeout: 5 * time.Second}
	results := make(chan result, len(os.Args))
	var wg sync.WaitGroup

	for _, url := range os.Args[1:] {
		wg.Add(1)
		go func(u string) {
			defer wg.Done()
			results <- check(client, u)
		}(url)
	}
	wg.Wait()
	close(results)

	failed := 0
	for r := range results {
		if r.err != nil {
			fmt.Fprintf(os.Stderr, "%s: %v\n", r.url, r.err)
			failed++
			continue
		}
		fmt.Printf("%3d %6dms %s\n", r.status, r.elapsed.Milliseconds(), r.url)
	}
	if failed > 0 {
		os.Exit(1)
	}
}
