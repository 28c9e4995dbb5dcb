// The page: source in, options, one call to the engine (in a Worker), markup
// out.  The engine is vorel-engine.js, the same C++ as the programs.
'use strict';

(() => {
  // The output modes beside HTML/UBB and line numbers, as the engine lists
  // them (vorel_output_options): name, kind, formats, default, choices
  // ([value, label], the first the default), label and placeholder.  A box
  // sends its "on" value when ticked (a switch's 1, or the second of two
  // choices); a text or a number sends what is typed, unless it is empty.
  // Options without a label are the page's own controls (format, numbering).
  let outputModes = [];
  // Longest markup shown in the page and its preview; Copy and Download
  // always take all of it.
  const SHOW_LIMIT = 256 * 1000;
  const LIVE_LIMIT = 1000 * 1000;  // larger typed sources convert on Convert only
  // A text area lays out a megabyte of text for seconds: larger sources are
  // held by the page and not shown.
  const BIG_SOURCE = 256 * 1000;
  const STORE_KEY = 'vorel.options';

  const $ = (id) => document.getElementById(id);
  const ui = {
    open: $('open'), syntax: $('syntax'), numbered: $('numbered'), firstLine: $('first-line'),
    convert: $('convert'), copy: $('copy'), download: $('download'), message: $('message'),
    source: $('source'), sourceName: $('source-name'), markup: $('markup'), modes: $('modes'),
    preview: $('preview'), ubbPreview: $('ubb-preview'), previewNote: $('preview-note'), stats: $('stats'),
    suggestion: $('suggestion'), suggestedSyntax: $('suggested-syntax'), suggestedRule: $('suggested-rule'),
    useSuggestion: $('use-suggestion'),
  };

  // The source: the bytes of an opened file (or of a big paste) as long as the
  // text area still shows them unedited (or, when they are too big to show,
  // stays empty); otherwise the text area's text as UTF-8.
  let opened = null;  // {bytes, text, name}
  let result = null;  // {bytes, text, format, name}
  let converting = false;
  let again = false;
  let liveTimer = 0;
  let note = '';  // said with the next result: how an opened file's syntax was chosen
  let opening = 0;  // files being read

  // data-idle on the body: no conversion running or waiting (for the tests
  // and for anyone scripting the page).
  function markIdle() {
    document.body.dataset.idle = !converting && !liveTimer && !opening ? 'yes' : 'no';
  }

  // ---- The Worker -----------------------------------------------------------
  const worker = new Worker(URL.createObjectURL(
      new Blob(['(' + vorelWorkerMain.toString() + ')()'], {type: 'text/javascript'})));
  let nextId = 1;
  const pending = new Map();
  worker.onmessage = (e) => {
    const done = pending.get(e.data.id);
    pending.delete(e.data.id);
    if (done) done(e.data);
  };
  worker.onerror = (e) => showMessage('The engine failed to start: ' + e.message);
  function ask(request, transfer) {
    return new Promise((resolve) => {
      request.id = nextId++;
      pending.set(request.id, resolve);
      worker.postMessage(request, transfer || []);
    });
  }

  // ---- Text and charsets ----------------------------------------------------
  // Bytes read as UTF-8 or as Big5, as the engine decides (the automatic
  // charset's rule).
  const decode = (bytes, utf8) => new TextDecoder(utf8 ? 'utf-8' : 'big5').decode(bytes);

  const holdsOpened = () => opened !== null && ui.source.value === opened.text;
  const defaultPlaceholder = ui.source.placeholder;

  // Puts a source in: an opened file's bytes, or a pasted text too large for
  // the text area (a string: the Worker makes it UTF-8, off this thread).
  // What the text area then shows is theirs.
  function hold(source, name, text, label) {
    clearTimeout(liveTimer);  // this conversion takes the place of one waiting
    liveTimer = 0;
    const big = source.length > BIG_SOURCE;
    ui.source.value = big ? '' : text;
    opened = {source, name, text: ui.source.value};
    ui.source.placeholder = big ? `${label}: too large to show here; it converts as it is. ` +
        'Typing here replaces it.' : defaultPlaceholder;
    ui.sourceName.textContent = label;
    convert();
  }

  // The source as the Worker takes it: {bytes} (a copy, handed over; the
  // original stays with the page) or {text}.
  function sourceRequest() {
    const src = holdsOpened() ? opened.source : ui.source.value;
    if (typeof src === 'string') return [{text: src}, []];
    const copy = src.slice();
    return [{bytes: copy.buffer}, [copy.buffer]];
  }

  // ---- Options, remembered like option.ini ------------------------------------
  // The value of a mode's control as the engine takes it; '' for its default.
  function modeValue(m) {
    const el = $('mode-' + m.name);
    if (m.choices) return el.value === m.choices[0][0] ? '' : el.value;
    if (m.on) return el.checked ? m.on : '';
    return el.value.trim();
  }

  function setModeValue(m, value) {
    const el = $('mode-' + m.name);
    if (m.choices) el.value = m.choices.some(([v]) => v === value) ? value : m.choices[0][0];
    else if (m.on) el.checked = value === m.on;
    else el.value = typeof value === 'string' ? value : '';
  }

  const offered = () => outputModes.filter((m) => $('mode-' + m.name));

  function readOptions() {
    const format = document.querySelector('input[name=format]:checked').value;
    const modes = {};
    for (const m of offered()) modes[m.name] = modeValue(m);
    return {syntax: ui.syntax.value, format, modes, numbered: ui.numbered.checked,
            firstLine: ui.firstLine.value.trim()};
  }

  function saveOptions() {
    try {
      localStorage.setItem(STORE_KEY, JSON.stringify(readOptions()));
    } catch (e) { /* storage off: the page still works */ }
  }

  function restoreOptions() {
    let o;
    try {
      o = JSON.parse(localStorage.getItem(STORE_KEY) || 'null');
    } catch (e) {
      o = null;
    }
    if (!o) return;
    if ([...ui.syntax.options].some((opt) => opt.value === o.syntax)) ui.syntax.value = o.syntax;
    const radio = document.querySelector(`input[name=format][value="${o.format}"]`);
    if (radio) radio.checked = true;
    const modes = o.modes && typeof o.modes === 'object' ? o.modes : {};
    for (const m of offered()) setModeValue(m, modes[m.name] || '');
    ui.numbered.checked = !!o.numbered;
    if (typeof o.firstLine === 'string') ui.firstLine.value = o.firstLine;
  }

  // Only the modes of the chosen format show and count.
  function updateModes() {
    const format = readOptions().format;
    for (const m of offered()) {
      const ok = m.formats.includes(format);
      $('mode-' + m.name).disabled = !ok;
      $('mode-' + m.name).closest('label').hidden = !ok;
    }
  }

  // The choices for the engine, one per line as name=value: the format, the
  // first line number when numbering (the engine checks it), and each mode
  // of the format that is not at its default.
  function optionLines(o) {
    const lines = [`format=${o.format}`, ...(o.numbered ? [`line_numbers=${o.firstLine}`] : [])];
    for (const m of offered()) {
      if (m.formats.includes(o.format) && o.modes[m.name] !== '') lines.push(`${m.name}=${o.modes[m.name]}`);
    }
    return lines.join('\n');
  }

  // ---- Conversion -----------------------------------------------------------
  function showMessage(text, info) {
    ui.message.textContent = text;
    ui.message.className = info ? 'info' : '';
  }

  async function convert() {
    if (converting) {
      again = true;
      return;
    }
    const o = readOptions();
    const said = note;  // the note belongs to the source this conversion takes
    note = '';
    const [source, transfer] = sourceRequest();
    const name = holdsOpened() ? opened.name : '';
    converting = true;
    markIdle();
    ui.convert.disabled = true;
    const t0 = performance.now();
    const reply = await ask({op: 'convert', ...source, syntax: o.syntax, options: optionLines(o)},
                            transfer);
    const total = performance.now() - t0;
    converting = false;
    ui.convert.disabled = false;
    if (!reply.ok) {
      // The source stays as it was; the old markup is no longer its result.
      showMessage(reply.message);
      setResult(null);
    } else {
      showMessage(said, true);
      // Shown as a browser reads it: the classic frame's own texts are Big5,
      // so markup that is not all UTF-8 reads as Big5.
      const bytes = new Uint8Array(reply.markup);
      setResult({bytes, utf8: reply.markupUtf8, format: o.format, name,
                 boardEscapes: o.format === 'ubb' && o.modes.ubb_no_entities === '1'});
      ui.stats.textContent =
          `Original length: ${reply.originalLength} characters · Converted length: ${bytes.length}` +
          ` characters · Keyword loading: ${reply.keywordMs} ms · Conversion: ${reply.conversionMs} ms` +
          ` · In the page, all told: ${Math.round(total)} ms`;
      document.body.dataset.lastMs = String(total);
    }
    document.body.dataset.conversions = String(Number(document.body.dataset.conversions || 0) + 1);
    if (again) {
      again = false;
      convert();
    }
    markIdle();
  }

  // The whole markup as text, made when first asked for (Copy): decoding tens
  // of megabytes holds up the page for a while.
  function markupText(r) {
    if (r.text === undefined) r.text = decode(r.bytes, r.utf8);
    return r.text;
  }

  // What the page shows of the markup, and whether that is cut: the first
  // SHOW_LIMIT characters, decoded from enough bytes for them and no more (a
  // character is at most 4 bytes; a character cut at the end falls beyond
  // the limit).
  function shownText(r) {
    const prefix = r.bytes.length > 4 * SHOW_LIMIT;
    const text = prefix ? decode(r.bytes.subarray(0, 4 * SHOW_LIMIT), r.utf8) : markupText(r);
    return text.length > SHOW_LIMIT ? [text.slice(0, SHOW_LIMIT), true] : [text, prefix];
  }

  function setResult(r) {
    result = r;
    ui.copy.disabled = ui.download.disabled = !r;
    if (!r) {
      ui.markup.textContent = '';
      ui.preview.srcdoc = '';
      ui.ubbPreview.textContent = '';
      ui.previewNote.textContent = '';
      ui.stats.textContent = '';
      return;
    }
    const [shown, cut] = shownText(r);
    ui.markup.textContent = shown;
    ui.previewNote.textContent = cut ?
        `(the first ${SHOW_LIMIT} characters of ${r.bytes.length} bytes; Copy and Download take all)` : '';
    const html = r.format === 'html';
    const rendered = html ? shown : renderUbb(shown, r.boardEscapes);
    ui.preview.hidden = rendered === null;
    ui.ubbPreview.hidden = rendered !== null;
    // The preview frame is sandboxed: no scripts, no forms, no navigation.
    ui.preview.srcdoc = rendered === null ? '' : rendered;
    ui.preview.title = html ? 'Preview of the HTML' : 'Preview of the UBB as a forum shows it';
    ui.ubbPreview.textContent = rendered === null ? shown : '';
    document.body.dataset.format = r.format;
  }

  // UBB as a forum shows it, rendered by the BBCode library bundled with the
  // page (bbcode.js), with [font=NAME] added as many boards add it; null when
  // the library is missing, and the preview shows the UBB as text.  UBB
  // without entities is for boards that escape HTML in posts first, so the
  // preview does too.  The source decides what tags the post holds, so the
  // frame may load nothing ([img], a url() in a colour) and its links do not
  // follow.
  const boardPreset = window.BbobPresetHTML5 && BbobPresetHTML5.default.extend((tags) => ({
    ...tags,
    font: (node) => ({tag: 'span', attrs: {style: `font-family: ${Object.keys(node.attrs)[0]};`},
                      content: node.content}),
  }));

  function renderUbb(ubb, boardEscapes) {
    if (!window.BbobHtml || !boardPreset) return null;
    if (boardEscapes) ubb = ubb.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
    let body;
    try {
      body = BbobHtml.default(ubb, boardPreset());
    } catch (e) {
      return null;
    }
    return '<!DOCTYPE html><html><head><meta charset="utf-8">' +
        `<meta http-equiv="Content-Security-Policy" content="default-src 'none'; style-src 'unsafe-inline'">` +
        '<style>body{margin:8px;font:14px/1.5 system-ui,sans-serif;white-space:pre-wrap;overflow-wrap:anywhere}' +
        'a{pointer-events:none}</style></head><body>' + body + '</body></html>';
  }

  function liveConvert() {
    clearTimeout(liveTimer);
    liveTimer = 0;
    saveOptions();
    if (ui.source.value.length <= LIVE_LIMIT) {
      liveTimer = setTimeout(() => {
        liveTimer = 0;
        convert();
      }, 250);
    }
    markIdle();
  }

  // ---- Open, drop, copy, download ---------------------------------------------
  // The bytes convert as opened, whatever line ends or charset the text area
  // shows them with.
  // The syntax follows the file's name when a syntax's "files" patterns
  // match it, as vorel-convert chooses it; otherwise the choice stays.
  async function openFile(file) {
    ++opening;
    markIdle();
    try {
      await openBytes(file);
    } finally {
      --opening;
      markIdle();
    }
  }

  async function openBytes(file) {
    const bytes = new Uint8Array(await file.arrayBuffer());
    const copy = bytes.slice();
    const seen = await ask({op: 'inspect', bytes: copy.buffer, name: file.name}, [copy.buffer]);
    if (seen.syntax && offers(seen.syntax)) {
      ui.syntax.value = seen.syntax;
      const rule = seen.rule === 'file name' ? '' : ` (from the ${seen.rule})`;
      note = seen.matches.length > 1 ? `'${file.name}' matches ${seen.matches.join(', ')}; using ${seen.syntax}${rule}.` :
          seen.matches.length ? `Syntax ${seen.syntax}, from the file name.` :
          `Syntax ${seen.syntax}, from the ${seen.rule}; change it above if it is wrong.`;
      saveOptions();
    } else {
      note = `No syntax's file names match '${file.name}'; the syntax stays ${ui.syntax.value || 'none'}.`;
    }
    hideSuggestion();
    const text = bytes.length > BIG_SOURCE ? '' : decode(bytes, seen.charset === 2);
    hold(bytes, file.name, text,
         `${file.name} (${bytes.length} bytes, ${['ASCII', 'Big5', 'UTF-8'][seen.charset]})`);
  }

  // ---- The syntax a pasted or typed text looks like ---------------------------
  // Offered beside the syntax list, never applied by itself: one click takes it.
  const offers = (name) => [...ui.syntax.options].some((opt) => opt.value === name);
  let suggestTimer = 0;
  let suggested = '';

  function hideSuggestion() {
    clearTimeout(suggestTimer);
    suggestTimer = 0;
    ui.suggestion.hidden = true;
  }

  // text: the source when it is not in the text area (a large paste).
  function suggestSyntax(text) {
    clearTimeout(suggestTimer);
    suggestTimer = setTimeout(async () => {
      suggestTimer = 0;
      const source = text !== undefined ? text : ui.source.value;
      const seen = source.trim() ? await ask({op: 'inspect', text: source, name: ''}) : {syntax: ''};
      if (text === undefined && source !== ui.source.value) return;  // typed on meanwhile
      suggested = seen.syntax && offers(seen.syntax) ? seen.syntax : '';
      ui.suggestion.hidden = !suggested || suggested === ui.syntax.value;
      ui.suggestedSyntax.textContent = suggested;
      ui.suggestedRule.textContent = seen.rule || '';
      // For the tests and for anyone scripting the page.
      document.body.dataset.suggestions = Number(document.body.dataset.suggestions || 0) + 1;
    }, 300);
  }

  ui.useSuggestion.addEventListener('click', () => {
    ui.syntax.value = suggested;
    hideSuggestion();
    saveOptions();
    convert();
  });
  ui.syntax.addEventListener('change', () => {
    if (ui.syntax.value === suggested) hideSuggestion();
  });

  ui.source.addEventListener('paste', (e) => {
    const text = e.clipboardData ? e.clipboardData.getData('text/plain') : '';
    if (text.length <= BIG_SOURCE) return;  // the text area takes it
    e.preventDefault();
    hold(text, '', '', `pasted text (${text.length} characters)`);
    suggestSyntax(text);
  });

  ui.open.addEventListener('change', () => {
    if (ui.open.files[0]) openFile(ui.open.files[0]);
    ui.open.value = '';
  });
  document.addEventListener('dragover', (e) => {
    e.preventDefault();
    document.body.classList.add('dragging');
  });
  document.addEventListener('dragleave', () => document.body.classList.remove('dragging'));
  document.addEventListener('drop', (e) => {
    e.preventDefault();
    document.body.classList.remove('dragging');
    const file = e.dataTransfer && e.dataTransfer.files[0];
    if (file) openFile(file);
  });

  // The clipboard interface needs a secure context (file://, https://,
  // localhost); elsewhere the older copy command takes the text through a
  // text area, which keeps LF line ends only.
  function copyByCommand(text) {
    const area = document.createElement('textarea');
    area.value = text;
    document.body.appendChild(area);
    area.select();
    const ok = document.execCommand('copy');
    area.remove();
    if (!ok) throw new Error('copying is not allowed here');
  }

  ui.copy.addEventListener('click', async () => {
    if (!result) return;
    try {
      const text = markupText(result);
      if (navigator.clipboard) await navigator.clipboard.writeText(text);
      else copyByCommand(text);
      showMessage(`Copied ${text.length} characters of markup.`, true);
    } catch (e) {
      showMessage('The browser did not allow copying: ' + e.message);
    }
  });

  ui.download.addEventListener('click', () => {
    if (!result) return;
    const base = (result.name || 'code').replace(/\.[^.]*$/, '') || 'code';
    const a = document.createElement('a');
    a.href = URL.createObjectURL(new Blob([result.bytes], {type: 'application/octet-stream'}));
    a.download = base + (result.format === 'html' ? '.html' : '.txt');
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 10000);
  });

  ui.convert.addEventListener('click', () => {
    clearTimeout(liveTimer);
    liveTimer = 0;
    saveOptions();
    convert();
  });
  ui.source.addEventListener('input', () => {
    if (opened && !holdsOpened()) {
      opened = null;
      ui.sourceName.textContent = '';
      ui.source.placeholder = defaultPlaceholder;
    }
    if (!opened) suggestSyntax();
    liveConvert();
  });
  for (const el of document.querySelectorAll('.controls input, .controls select')) {
    if (el === ui.open) continue;
    el.addEventListener('change', () => {
      updateModes();
      liveConvert();
    });
  }

  // ---- Start ------------------------------------------------------------------
  ask({op: 'init'}).then((info) => {
    for (const name of info.syntaxes) ui.syntax.add(new Option(name, name));
    outputModes = info.outputOptions.filter((m) => m.label).map((m) => ({
      ...m,
      on: m.kind === 'switch' ? '1' : m.box ? m.choices[1][0] : undefined,
      choices: m.kind === 'choice' && !m.box ? m.choices : undefined,
      number: m.kind === 'number',
    }));
    for (const m of outputModes) {
      const label = document.createElement('label');
      let el;
      if (m.choices) {
        el = document.createElement('select');
        for (const [value, text] of m.choices) el.add(new Option(text, value));
        label.append(m.label + ' ', el);
      } else if (m.on) {
        el = document.createElement('input');
        el.type = 'checkbox';
        label.append(el, ' ' + m.label);
      } else {
        el = document.createElement('input');
        el.type = 'text';
        el.placeholder = m.placeholder;
        el.size = m.number ? 6 : 12;
        if (m.number) el.inputMode = 'numeric';
        label.append(m.label + ' ', el);
      }
      el.id = 'mode-' + m.name;
      el.addEventListener(m.choices || m.on ? 'change' : 'input', () => {
        updateModes();
        liveConvert();
      });
      ui.modes.append(label);
      ui.modes.hidden = false;
    }
    restoreOptions();
    updateModes();
    document.body.dataset.ready = 'yes';
    markIdle();
    if (ui.source.value) convert();
  });
})();
