// Inside vorelWorkerMain (see worker_begin.js): the Worker's side of the
// engine.  Requests are handled one at a time, in the order they came.
const engine = VorelEngine();
const encoder = new TextEncoder();

function cString(M, text) {
  const bytes = encoder.encode(text);
  const p = M._malloc(bytes.length + 1);
  M.HEAPU8.set(bytes, p);
  M.HEAPU8[p + bytes.length] = 0;
  return p;
}

// A list of zero-terminated strings ended by an empty one.
function stringList(M, p) {
  const list = [];
  for (;;) {
    const s = M.UTF8ToString(p);
    if (!s) return list;
    list.push(s);
    p += encoder.encode(s).length + 1;
  }
}

function convert(M, req) {
  const t0 = performance.now();
  const bytes = req.text !== undefined ? encoder.encode(req.text) : new Uint8Array(req.bytes);
  const text = M._malloc(bytes.length || 1);
  M.HEAPU8.set(bytes, text);
  const syntax = cString(M, req.syntax);
  const options = cString(M, req.options);
  const ok = M._vorel_convert(text, bytes.length, syntax, options);
  M._free(text);
  M._free(syntax);
  M._free(options);
  const reply = {id: req.id, ok: !!ok, message: M.UTF8ToString(M._vorel_message())};
  if (ok) {
    const p = M._vorel_markup();
    reply.markup = M.HEAPU8.slice(p, p + M._vorel_markup_size()).buffer;
    reply.keywordMs = M._vorel_keyword_load_ms();
    reply.conversionMs = M._vorel_conversion_ms();
    reply.originalLength = M._vorel_original_length();
    reply.lastLine = M._vorel_last_line() >>> 0;
    reply.markupUtf8 = !!M._vorel_markup_is_utf8();
  }
  M._vorel_release();
  reply.engineMs = performance.now() - t0;
  postMessage(reply, reply.markup ? [reply.markup] : []);
}

// What the page needs to know of an opened file or a pasted text ({bytes} or
// {text}): how its bytes read (2 UTF-8, 1 Big5, 0 plain ASCII) and the syntax
// it asks for: {rule, syntax, matches} as vorel-convert chooses it.
function inspect(M, req) {
  const bytes = req.text !== undefined ? encoder.encode(req.text) : new Uint8Array(req.bytes);
  const text = M._malloc(bytes.length || 1);
  M.HEAPU8.set(bytes, text);
  const charset = M._vorel_text_charset(text, bytes.length);
  const name = cString(M, req.name);
  const [rule, syntax = '', ...matches] = stringList(M, M._vorel_pick_syntax(text, bytes.length, name));
  M._free(name);
  M._free(text);
  postMessage({id: req.id, charset, rule, syntax, matches});
}

let queue = Promise.resolve();
self.onmessage = (e) => {
  const req = e.data;
  queue = queue.then(() => engine).then((M) => {
    if (req.op === 'init') {
      postMessage({
        id: req.id,
        syntaxes: stringList(M, M._vorel_syntax_names()),
        outputOptions: JSON.parse(M.UTF8ToString(M._vorel_output_options())),
      });
    } else if (req.op === 'convert') {
      convert(M, req);
    } else if (req.op === 'inspect') {
      inspect(M, req);
    }
  }).catch((err) => postMessage({id: req.id, ok: false, message: String(err)}));
};
}
