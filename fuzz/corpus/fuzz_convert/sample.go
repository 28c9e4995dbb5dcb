[S]
case=1
stxfile1=k1.txt
stxfile2=k2.txt
str1="
str2='
delimiter=~!%^&*()-+=[]{}|\:;"'<>,.?/`#@$
color_string=1515A3
color_comment=2008000
comment1=/*
comment1e=*/
comment2=//

--8<--
break 1C00000
case 1C00000
chan 1C00000
const 1C00000
continue 1C00000
default 1C00000
defer 1C00000
else 1C00000
fallthrough 1C00000
false 1C00000
for 1C00000
func 1C00000
go 1C00000
goto 1C00000
if 1C00000
import 1C00000
interface 1C00000
iota 1C00000
map 1C00000
nil 1C00000
package 1C00000
range 1C00000
return 1C00000
select 1C00000
struct 1C00000
switch 1C00000
true 1C00000
type 1C00000
var 1C00000

--8<--
any A00080
append A00080
Args A00080
bool A00080
bufio A00080
byte A00080
bytes A00080
cap A00080
clear A00080
close A00080
comparable A00080
complex A00080
complex128 A00080
complex64 A00080
Context A00080
context A00080
copy A00080
Create A00080
delete A00080
Duration A00080
error A00080
Errorf A00080
errors A00080
Exit A00080
float32 A00080
float64 A00080
fmt A00080
Fprintf A00080
Fprintln A00080
http A00080
imag A00080
init A00080
int A00080
int16 A00080
int32 A00080
int64 A00080

--8<--
 1 0 S
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
