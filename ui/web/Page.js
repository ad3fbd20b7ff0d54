// SPDX-License-Identifier: GPL-3.0-or-later
// The page's half of the window (PageBridge.cpp): elements for the controls of a dialog template,
// read and set by id; the modal boxes; the busy state and the progress bar; and the queue of
// calls into the program, which runs one call at a time. Every text is set as text.
var Module = (function () {
  'use strict';
  const Kind = { Static: 0, Edit: 1, ComboBox: 2, CheckBox: 3, PushButton: 4, GroupBox: 5, Tab: 6,
                 Icon: 7 };
  const Style = { number: 1 << 3, upperCase: 1 << 4, right: 1 << 10, centerV: 1 << 11,
                  noPrefix: 1 << 13, default: 1 << 9 };
  // Dialog units in em of the page's 13-pixel font: a quarter larger than the template's 8-point
  // font makes them (1.5 and 1.625 pixels), so that the wider fonts of other systems fit.
  const kUnitX = 1.9 / 13;
  const kUnitY = 2.05 / 13;
  const IDOK = 1;

  const forms = { 0: new Map(), 1: new Map() };  // surface -> id -> element
  let build = null;
  let icon = null;
  let queue = Promise.resolve();
  let pending = 0;

  function place(element, x, y, cx, cy) {
    element.style.left = (x * kUnitX) + 'em';
    element.style.top = (y * kUnitY) + 'em';
    element.style.width = (cx * kUnitX) + 'em';
    element.style.height = (cy * kUnitY) + 'em';
  }

  // '&' marks the next letter as the control's key; '&&' stands for '&'.
  function withoutPrefix(text, styles) {
    return (styles & Style.noPrefix) ? text : text.replace(/&(&?)/g, '$1');
  }

  function drawIcon(canvas) {
    if (!icon) return;
    canvas.width = icon.width;
    canvas.height = icon.height;
    const picture = new ImageData(new Uint8ClampedArray(icon.rgba), icon.width, icon.height);
    canvas.getContext('2d').putImageData(picture, 0, 0);
  }

  function el(tag, className) {
    const e = document.createElement(tag);
    if (className) e.className = className;
    return e;
  }

  function elementId(surface, id) {
    return 'c' + surface + '-' + (id < 0 ? 's' + (build.statics++) : id);
  }

  const page = {
    latin1(pointer, length) {
      let text = '';
      for (let i = 0; i < length; i += 4096) {
        text += String.fromCharCode.apply(null, HEAPU8.subarray(pointer + i,
                                                                pointer + Math.min(length, i + 4096)));
      }
      return text;
    },
    // A text into the program's memory as Latin-1, with a NUL; characters beyond it become '?'.
    toWasm(text) {
      const pointer = _malloc(text.length + 1);
      for (let i = 0; i < text.length; ++i) {
        const c = text.charCodeAt(i);
        HEAPU8[pointer + i] = c > 255 || c === 0 ? 63 : c;
      }
      HEAPU8[pointer + text.length] = 0;
      return pointer;
    },

    begin(surface, caption, cx, cy) {
      let root;
      if (surface === 0) {
        root = document.getElementById('form');
        document.title = caption;
        root.setAttribute('aria-label', caption);
      } else {
        const dialog = el('dialog', 'template');
        const heading = el('h2');
        heading.textContent = caption;
        heading.id = 'dialog-caption-' + Date.now();
        dialog.setAttribute('aria-labelledby', heading.id);
        root = el('div', 'surface');
        dialog.append(heading, root);
        document.body.append(dialog);
      }
      root.replaceChildren();
      root.style.width = (cx * kUnitX) + 'em';
      root.style.height = (cy * kUnitY) + 'em';
      forms[surface] = new Map();
      build = { surface: surface, root: root, label: null, groups: [], placed: [], statics: 0 };
    },

    add(id, kind, text, styles, x, y, cx, cy) {
      const b = build;
      const name = withoutPrefix(text, styles);
      let element;
      let focusable;
      switch (kind) {
        case Kind.Static:
          element = el('span', 'static');
          if (styles & Style.right) element.classList.add('right');
          element.textContent = name;
          if (id === 1038) {  // the line under the form: read out when it changes
            element.setAttribute('role', 'status');
            element.setAttribute('aria-live', 'polite');
          }
          break;
        case Kind.Edit:
          element = focusable = el('input', 'edit');
          element.type = 'text';
          element.spellcheck = false;
          element.autocomplete = 'off';
          if (styles & Style.number) {
            element.inputMode = 'numeric';
            // Typing takes digits only; a pasted text is taken as it is.
            element.addEventListener('beforeinput', (e) => {
              if (e.inputType === 'insertText' && e.data && /\D/.test(e.data)) e.preventDefault();
            });
          }
          if (styles & Style.upperCase) {
            element.addEventListener('input', () => {
              const upper = element.value.toUpperCase();
              if (upper !== element.value) {
                const at = element.selectionStart;
                element.value = upper;
                element.setSelectionRange(at, at);
              }
            });
          }
          break;
        case Kind.ComboBox:
          element = focusable = el('select', 'list');
          cy = 13;  // the template's height includes the dropped-down list
          break;
        case Kind.CheckBox: {
          element = el('label', 'check');
          focusable = el('input');
          focusable.type = 'checkbox';
          const caption = el('span');
          caption.textContent = name;
          element.append(focusable, caption);
          break;
        }
        case Kind.PushButton:
          element = focusable = el('button', 'push');
          element.type = 'button';
          element.textContent = name;
          if (styles & Style.default) element.classList.add('default');
          break;
        case Kind.GroupBox: {
          element = el('div', 'group');
          const legend = el('span', 'legend');
          legend.textContent = name;
          legend.id = elementId(b.surface, -1) + '-legend';
          element.append(legend);
          b.groups.push({ legend: legend, x: x, y: y, cx: cx, cy: cy });
          break;
        }
        case Kind.Tab:
          element = el('div', 'tabs');
          focusable = el('div', 'tablist');
          focusable.setAttribute('role', 'tablist');
          element.append(focusable);
          break;
        case Kind.Icon:
          element = el('canvas', 'icon');
          element.setAttribute('role', 'img');
          element.setAttribute('aria-label', 'WrenbeaconConfig');
          drawIcon(element);
          break;
        default:
          return;
      }
      place(element, x, y, cx, cy);
      const target = focusable || element;
      target.id = elementId(b.surface, id);
      if (id >= 0) forms[b.surface].set(id, target);
      // A label names the field right after it; a unit word, on the field's row to its right,
      // describes it.
      if (kind === Kind.Static && id < 0) {
        const field = b.lastField;
        if (field && y === field.y && x > field.x) {
          field.target.setAttribute('aria-describedby',
            ((field.target.getAttribute('aria-describedby') || '') + ' ' + target.id).trim());
        } else {
          b.label = element;
        }
      } else if (kind === Kind.Edit || kind === Kind.ComboBox) {
        if (b.label) {
          const label = el('label', b.label.className);
          label.textContent = b.label.textContent;
          label.style.cssText = b.label.style.cssText;
          label.id = b.label.id;
          label.htmlFor = target.id;
          b.label = label;
          b.pendingLabel = label;
        }
        b.label = null;
        b.lastField = { target: target, x: x, y: y };
      } else {
        b.label = null;
        b.lastField = null;
      }
      b.placed.push({ target: target, x: x, y: y, cx: cx, cy: cy, kind: kind });
      b.root.append(element);
      if (b.pendingLabel) {
        document.getElementById(b.pendingLabel.id).replaceWith(b.pendingLabel);
        b.pendingLabel = null;
      }
      if (b.surface === 1 && id === IDOK && kind === Kind.PushButton) {
        element.addEventListener('click', () => element.closest('dialog').close());
      }
    },

    addEntry(id, text) {
      const list = forms[build.surface].get(id);
      if (!list) return;
      const option = el('option');
      option.textContent = text;
      list.append(option);
      list.selectedIndex = -1;
    },

    tooltip(id, text) {
      const target = forms[build.surface].get(id);
      if (!target) return;
      (target.closest('label.check') || target).title = text;
    },

    // Each control inside a group's frame is described by the group's title.
    end() {
      const b = build;
      for (const item of b.placed) {
        if (item.kind === Kind.GroupBox || item.kind === Kind.Tab) continue;
        for (const g of b.groups) {
          if (item.x >= g.x && item.y >= g.y && item.x + item.cx <= g.x + g.cx &&
              item.y + item.cy <= g.y + g.cy) {
            item.target.setAttribute('aria-describedby',
              ((item.target.getAttribute('aria-describedby') || '') + ' ' + g.legend.id).trim());
          }
        }
      }
      build = null;
      if (page.onBuilt) page.onBuilt();
    },

    element(id) { return forms[0].get(id) || null; },

    getText(id) {
      const e = forms[0].get(id);
      return e && e.tagName === 'INPUT' && e.type === 'text' ? e.value : '';
    },
    setText(id, text) {
      const e = forms[0].get(id);
      if (!e) return;
      if (e.tagName === 'INPUT' && e.type === 'text') {
        e.value = text;
      } else if (e.classList.contains('group')) {
        e.querySelector('.legend').textContent = text;
      } else if (e.classList.contains('static')) {
        e.textContent = text;
      }
    },
    isChecked(id) {
      const e = forms[0].get(id);
      return !!e && e.type === 'checkbox' && e.checked;
    },
    setChecked(id, checked) {
      const e = forms[0].get(id);
      if (e && e.type === 'checkbox') e.checked = checked;
    },
    getSelection(id) {
      const e = forms[0].get(id);
      return e && e.tagName === 'SELECT' ? e.selectedIndex : -1;
    },
    setSelection(id, index) {
      const e = forms[0].get(id);
      if (e && e.tagName === 'SELECT') e.selectedIndex = index >= 0 && index < e.length ? index : -1;
    },
    clearEntries(id) {
      const e = forms[0].get(id);
      if (e && e.tagName === 'SELECT') e.replaceChildren();
    },
    appendEntry(id, text, tip) {
      const e = forms[0].get(id);
      if (!e || e.tagName !== 'SELECT') return;
      const option = el('option');
      option.textContent = text;
      if (tip) option.title = tip;
      e.append(option);
      e.selectedIndex = -1;
    },
    setEnabled(id, enabled) {
      const e = forms[0].get(id);
      if (e) e.disabled = !enabled;
      const label = e && (e.closest('label.check') || document.querySelector('label[for="' + e.id + '"]'));
      if (label) label.classList.toggle('disabled', !enabled);
    },
    getTab(id) {
      const list = forms[0].get(id);
      if (!list) return -1;
      const tabs = Array.from(list.children);
      return tabs.findIndex((t) => t.getAttribute('aria-selected') === 'true');
    },
    insertTab(id, index, text) {
      const list = forms[0].get(id);
      if (!list) return;
      const tab = el('button', 'tab');
      tab.type = 'button';
      tab.setAttribute('role', 'tab');
      tab.textContent = text;
      const first = list.children.length === 0;
      tab.setAttribute('aria-selected', first ? 'true' : 'false');
      tab.tabIndex = first ? 0 : -1;
      tab.addEventListener('click', () => page.selectTab(list, tab));
      tab.addEventListener('keydown', (e) => {
        const tabs = Array.from(list.children);
        const at = tabs.indexOf(tab);
        const step = e.key === 'ArrowRight' ? 1 : e.key === 'ArrowLeft' ? -1 : 0;
        if (step !== 0) {
          e.preventDefault();
          const next = tabs[(at + step + tabs.length) % tabs.length];
          next.focus();
          page.selectTab(list, next);
        }
      });
      list.insertBefore(tab, list.children[index] || null);
    },
    selectTab(list, tab) {
      if (tab.getAttribute('aria-selected') === 'true') return;
      for (const t of list.children) {
        t.setAttribute('aria-selected', t === tab ? 'true' : 'false');
        t.tabIndex = t === tab ? 0 : -1;
      }
      page.call('wb_tab_changed', []);
    },

    setBusy(busy) {
      const form = document.getElementById('form');
      form.inert = busy;
      form.setAttribute('aria-busy', busy ? 'true' : 'false');
      document.getElementById('menu').inert = busy;
      document.body.classList.toggle('busy', busy);
    },
    progress(done, total) {
      const bar = document.getElementById('progress');
      const usage = forms[0].get(1038);
      if (done === -2) {
        bar.hidden = true;
        if (usage) usage.hidden = false;
        return;
      }
      bar.hidden = false;
      if (usage) usage.hidden = true;
      if (done < 0 || total <= 0) {
        bar.removeAttribute('value');
      } else {
        bar.max = total;
        bar.value = Math.min(done, total);
      }
    },

    // A modal box: the caption as its heading ("Error" where there is none), the text, the
    // detail apart, and OK or the question's two buttons. Escape gives the second button.
    box(text, caption, detail, yes, no) {
      return new Promise((resolve) => {
        const dialog = el('dialog', 'box');
        dialog.setAttribute('role', 'alertdialog');
        const heading = el('h2');
        heading.textContent = caption || 'Error';
        heading.id = 'box-caption';
        const body = el('p', 'text');
        body.textContent = text;
        body.id = 'box-text';
        dialog.setAttribute('aria-labelledby', heading.id);
        dialog.setAttribute('aria-describedby', body.id);
        dialog.append(heading, body);
        if (detail) {
          const more = el('p', 'detail');
          more.textContent = detail;
          dialog.append(more);
        }
        const buttons = el('div', 'buttons');
        const finish = (answer) => {
          dialog.close();
          dialog.remove();
          resolve(answer);
        };
        for (const [label, answer] of [[yes, 1], [no, 0]]) {
          if (!label) continue;
          const button = el('button');
          button.type = 'button';
          button.textContent = label;
          button.addEventListener('click', () => finish(answer));
          buttons.append(button);
        }
        dialog.append(buttons);
        dialog.addEventListener('cancel', (e) => {
          e.preventDefault();
          finish(no ? 0 : 1);
        });
        document.body.append(dialog);
        dialog.showModal();
        buttons.firstChild.focus();
      });
    },

    runDialog() {
      const dialog = document.querySelector('dialog.template:last-of-type');
      return new Promise((resolve) => {
        dialog.addEventListener('close', () => {
          dialog.remove();
          resolve();
        });
        dialog.showModal();
        const ok = forms[1].get(IDOK);
        if (ok) ok.focus();
      });
    },

    setIcon(rgba, width, height) {
      icon = { rgba: rgba, width: width, height: height };
      const canvas = el('canvas');
      drawIcon(canvas);
      const link = document.querySelector('link[rel="icon"]') || el('link');
      link.rel = 'icon';
      link.href = canvas.toDataURL('image/png');
      document.head.append(link);
    },

    // Calls into the program, one at a time: a call that waits for the port or for the user
    // is suspended, and the next one starts only when it has ended.
    call(name, args) {
      const types = args.map((a) => (typeof a === 'string' ? 'string' : 'number'));
      const run = () => Module.ccall(name, 'number', types, args, { async: true });
      ++pending;
      const result = queue.then(run, run);
      queue = result.catch((e) => { page.fail(e); }).then(() => { --pending; });
      return result;
    },
    idle() { return pending === 0; },

    fail(error) {
      const text = document.getElementById('notice');
      text.hidden = false;
      text.textContent = 'The program stopped: ' + error + '. Reload the page to start again.';
    },
  };

  return {
    wbPage: page,
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    onAbort: (what) => page.fail(what),
  };
})();
