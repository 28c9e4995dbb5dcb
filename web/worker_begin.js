// The engine script defines this one function and runs nothing: the page
// starts a Worker from the function's own source text (a page opened from
// file:// may not load a worker script from a file), and the Worker runs it.
function vorelWorkerMain() {
