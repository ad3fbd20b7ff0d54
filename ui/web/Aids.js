// SPDX-License-Identifier: GPL-3.0-or-later
// The aids beside the form as the program draws them (SymbolChooserPage.cpp,
// BeaconChartPage.cpp): the symbol's picture on its button, the symbol chooser (dialog 110) over
// the page, and the SmartBeaconing chart in a window of its own beside the form. Pictures come as
// RGBA pixels already scaled by whole steps for the screen and are put on it pixel for pixel;
// the chart comes as lines, marks and texts already laid out. Every choice in the chooser goes
// back to the program, which says what to show.
Module.wbAids = (function () {
  'use strict';
  const IDOK = 1;
  const IDCANCEL = 2;
  const IDC_SYMBOL_PICTURE = 1060;
  const IDC_SMARTBEACON_CHART = 1062;
  const IDC_SYMBOL_SEARCH = 1070;
  const IDC_SYMBOL_GRID = 1071;
  const IDC_SYMBOL_PREVIEW = 1072;
  const IDC_SYMBOL_NAME = 1073;
  const IDC_SYMBOL_CODES = 1074;
  const IDC_SYMBOL_OVERLAY = 1075;
  const Event = { cancel: 0, pick: 1, search: 2, select: 3, overlay: 4 };
  const SVG = 'http://www.w3.org/2000/svg';
  const page = Module.wbPage;

  function el(tag, className) {
    const e = document.createElement(tag);
    if (className) e.className = className;
    return e;
  }

  // `rgba` is size x size screen pixels: the canvas shows them one for one.
  function paint(canvas, rgba, size) {
    canvas.width = size;
    canvas.height = size;
    const css = size / (window.devicePixelRatio || 1) + 'px';
    canvas.style.width = css;
    canvas.style.height = css;
    if (size > 0) {
      canvas.getContext('2d').putImageData(
        new ImageData(new Uint8ClampedArray(rgba), size, size), 0, 0);
    }
  }

  function describe(element, tip) {
    const lines = tip.split('\n');
    element.title = tip;
    element.setAttribute('aria-label', lines[0]);
    if (lines.length > 1) element.setAttribute('aria-description', lines.slice(1).join(' '));
  }

  // The symbol chooser: a modal dialog built by the program from template 110, whose grid
  // placeholder becomes a list box of pictures with their names.
  const chooser = (function () {
    let dialog = null;
    let grid = null;
    let search = null;
    let overlay = null;
    let tiles = [];    // by symbol index
    let shown = [];    // symbol indexes in the grid's order
    let events = [];
    let waiter = null;
    let focusBefore = null;

    function post(kind, value) {
      const event = { kind: kind, value: value || 0 };
      // Typing runs ahead of the program: one search with the latest text is enough.
      if (kind === Event.search && events.length && events[events.length - 1].kind === kind) {
        events.pop();
      }
      if (waiter) {
        const w = waiter;
        waiter = null;
        w(event);
      } else {
        events.push(event);
      }
    }

    function current() {
      return shown.findIndex((index) => tiles[index].getAttribute('aria-selected') === 'true');
    }

    // How many tiles stand in one row of the grid.
    function columns() {
      if (shown.length < 2) return 1;
      const top = tiles[shown[0]].offsetTop;
      const n = shown.findIndex((index) => tiles[index].offsetTop !== top);
      return n < 0 ? shown.length : n;
    }

    function onGridKey(e) {
      const at = current();
      const across = columns();
      const rows = Math.max(1, Math.floor(grid.clientHeight / (tiles[shown[0]] || grid).offsetHeight));
      const moves = {
        ArrowLeft: -1, ArrowRight: 1, ArrowUp: -across, ArrowDown: across,
        PageUp: -across * rows, PageDown: across * rows, Home: -Infinity, End: Infinity,
      };
      if (e.key in moves && shown.length) {
        e.preventDefault();
        const to = Math.max(0, Math.min(shown.length - 1, (at < 0 ? 0 : at) + moves[e.key]));
        post(Event.select, to);
      } else if (e.key === 'Enter') {
        e.preventDefault();
        post(Event.pick);
      } else if (e.key.length === 1 && !e.ctrlKey && !e.metaKey && !e.altKey && e.key !== ' ') {
        search.focus();  // the key goes on into the search field
      }
    }

    return {
      // Takes over the dialog the program has just built from template 110.
      open() {
        focusBefore = document.activeElement;
        dialog = document.querySelector('dialog.template:last-of-type');
        dialog.classList.add('chooser');
        tiles = [];
        shown = [];
        events = [];
        search = page.dialogElement(IDC_SYMBOL_SEARCH);
        overlay = page.dialogElement(IDC_SYMBOL_OVERLAY);
        const placeholder = page.dialogElement(IDC_SYMBOL_GRID);
        grid = el('div', 'symbol-grid');
        grid.style.cssText = placeholder.style.cssText;
        grid.id = placeholder.id;
        grid.tabIndex = 0;
        grid.setAttribute('role', 'listbox');
        grid.setAttribute('aria-label', 'Symbols');
        placeholder.replaceWith(grid);
        const preview = page.dialogElement(IDC_SYMBOL_PREVIEW);
        preview.setAttribute('aria-hidden', 'true');
        preview.removeAttribute('role');
        preview.removeAttribute('aria-label');
        for (const id of [IDC_SYMBOL_NAME, IDC_SYMBOL_CODES]) {
          page.dialogElement(id).setAttribute('aria-live', 'polite');
        }

        search.addEventListener('input', () => post(Event.search));
        search.addEventListener('keydown', (e) => {
          if (e.key === 'ArrowDown') {
            e.preventDefault();
            grid.focus();
          } else if (e.key === 'Enter') {
            e.preventDefault();
            post(Event.pick);
          }
        });
        grid.addEventListener('keydown', onGridKey);
        grid.addEventListener('click', (e) => {
          const tile = e.target.closest('.tile');
          if (tile) post(Event.select, shown.indexOf(Number(tile.dataset.index)));
        });
        grid.addEventListener('dblclick', (e) => {
          if (e.target.closest('.tile')) post(Event.pick);
        });
        overlay.addEventListener('change', () => post(Event.overlay, overlay.selectedIndex));
        page.dialogElement(IDOK).addEventListener('click', () => post(Event.pick));
        page.dialogElement(IDCANCEL).addEventListener('click', () => post(Event.cancel));
        dialog.addEventListener('cancel', (e) => {
          e.preventDefault();
          post(Event.cancel);
        });
        dialog.showModal();
        search.focus();
      },

      symbol(index, name, tip, rgba, size) {
        const tile = el('div', 'tile');
        tile.id = 'symbol-' + index;
        tile.dataset.index = String(index);
        tile.setAttribute('role', 'option');
        tile.setAttribute('aria-selected', 'false');
        tile.title = tip;
        const canvas = el('canvas');
        paint(canvas, rgba, size);
        const caption = el('span', 'name');
        caption.textContent = name;
        tile.append(canvas, caption);
        tiles[index] = tile;
      },

      show(indexes) {
        shown = indexes;
        grid.replaceChildren(...indexes.map((index) => tiles[index]));
      },

      selection(at, rgba, size, name, codes, canOverlay, overlayIndex, canPick) {
        shown.forEach((index, i) => tiles[index].setAttribute('aria-selected', String(i === at)));
        if (at >= 0) {
          const tile = tiles[shown[at]];
          grid.setAttribute('aria-activedescendant', tile.id);
          tile.scrollIntoView({ block: 'nearest' });
        } else {
          grid.removeAttribute('aria-activedescendant');
        }
        paint(page.dialogElement(IDC_SYMBOL_PREVIEW), rgba, size);
        page.dialogElement(IDC_SYMBOL_NAME).textContent = name;
        page.dialogElement(IDC_SYMBOL_CODES).textContent = codes;
        overlay.disabled = !canOverlay;
        overlay.selectedIndex = overlayIndex;
        page.dialogElement(IDOK).disabled = !canPick;
      },

      next() {
        return events.length ? Promise.resolve(events.shift()) : new Promise((resolve) => {
          waiter = resolve;
        });
      },

      searchText() { return search.value; },

      close() {
        dialog.close();
        dialog.remove();
        dialog = grid = search = overlay = null;
        tiles = [];
        if (focusBefore && focusBefore.isConnected) focusBefore.focus();
      },
    };
  })();

  // The chart: a window of its own that does not hold up the form, beside it where the page has
  // room and under it where not.
  const chart = (function () {
    let dialog = null;
    let area = null;
    let svg = null;
    let sentence = null;
    let place = false;

    function colour(rgb) {
      return '#' + (rgb & 0xFFFFFF).toString(16).padStart(6, '0');
    }

    function svgElement(tag, attributes) {
      const e = document.createElementNS(SVG, tag);
      for (const [name, value] of Object.entries(attributes)) e.setAttribute(name, String(value));
      return e;
    }

    function make(caption) {
      dialog = el('dialog', 'chart');
      const heading = el('h2');
      heading.textContent = caption;
      heading.id = 'chart-caption';
      dialog.setAttribute('aria-labelledby', heading.id);
      area = el('div', 'plot');
      sentence = el('p', 'sentence');
      sentence.id = 'chart-sentence';
      sentence.setAttribute('aria-live', 'polite');
      const buttons = el('div', 'buttons');
      const close = el('button');
      close.type = 'button';
      close.textContent = 'Close';
      close.addEventListener('click', () => dialog.close());
      buttons.append(close);
      dialog.append(heading, area, sentence, buttons);
      dialog.addEventListener('keydown', (e) => {
        if (e.key === 'Escape') {
          e.preventDefault();
          dialog.close();
        }
      });
      dialog.addEventListener('close', () => {
        const button = page.element(IDC_SMARTBEACON_CHART);
        if (button && dialog.contains(document.activeElement)) button.focus();
        if (button && document.activeElement === document.body) button.focus();
      });
      document.body.append(dialog);
    }

    // Beside the form when the window is wide enough, else under it.
    function position() {
      const form = document.getElementById('form').getBoundingClientRect();
      const width = dialog.offsetWidth;
      const room = document.documentElement.clientWidth - form.right;
      if (room >= width + 24) {
        dialog.style.left = (form.right + 12 + window.scrollX) + 'px';
        dialog.style.top = (form.top + window.scrollY) + 'px';
      } else {
        dialog.style.left = (form.left + window.scrollX) + 'px';
        dialog.style.top = (form.bottom + 12 + window.scrollY) + 'px';
      }
      dialog.scrollIntoView({ block: 'nearest' });
    }

    return {
      open(caption) {
        if (!dialog) make(caption);
        if (!dialog.open) {
          dialog.show();
          place = true;
        }
      },
      isOpen() { return !!dialog && dialog.open; },
      // The font the texts are drawn in: the width of a digit and the height of a line.
      font() {
        const context = el('canvas').getContext('2d');
        context.font = getComputedStyle(area || document.body).font;
        const m = context.measureText('0123456789');
        return {
          digitWidth: Math.ceil(m.width / 10),
          lineHeight: Math.ceil(m.fontBoundingBoxAscent + m.fontBoundingBoxDescent),
        };
      },
      begin(width, height) {
        svg = svgElement('svg', { width: width, height: height, viewBox: '0 0 ' + width + ' ' + height });
        svg.setAttribute('role', 'img');
        svg.setAttribute('aria-describedby', 'chart-sentence');
        svg.append(svgElement('rect', { width: width, height: height, fill: '#fff' }));
      },
      line(xy, rgb, width, dashed) {
        const points = [];
        for (let i = 0; i < xy.length; i += 2) points.push(xy[i] + ',' + xy[i + 1]);
        const attributes = { points: points.join(' '), fill: 'none', stroke: colour(rgb),
                             'stroke-width': width };
        if (dashed) attributes['stroke-dasharray'] = 4 * width + ' ' + 2 * width;
        svg.append(svgElement('polyline', attributes));
      },
      mark(x, y, half, rgb) {
        svg.append(svgElement('rect', { x: x - half, y: y - half, width: 2 * half,
                                        height: 2 * half, fill: colour(rgb) }));
      },
      text(text, x, y, alignX, alignY, rgb) {
        const t = svgElement('text', {
          x: x, y: y, fill: colour(rgb),
          'text-anchor': alignX < 0 ? 'start' : alignX > 0 ? 'end' : 'middle',
          'dominant-baseline': alignY < 0 ? 'text-before-edge' : alignY > 0 ? 'text-after-edge' : 'central',
        });
        t.textContent = text;
        svg.append(t);
      },
      end(text) {
        svg.setAttribute('aria-label', dialog.querySelector('h2').textContent);
        area.replaceChildren(svg);
        sentence.textContent = text;
        if (place) {
          place = false;
          position();
          dialog.querySelector('.buttons button').focus();
        }
      },
    };
  })();

  return {
    picture(rgba, size, tip) {
      const button = page.element(IDC_SYMBOL_PICTURE);
      if (!button) return;
      let canvas = button.querySelector('canvas');
      if (!canvas) {
        canvas = el('canvas', 'symbol');
        canvas.setAttribute('aria-hidden', 'true');
        button.append(canvas);
      }
      paint(canvas, rgba, size);
      describe(button, tip);
    },
    chooser: chooser,
    chart: chart,
  };
})();
