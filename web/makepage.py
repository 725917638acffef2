#!/usr/bin/env python3
"""Writes Зорнет's web page from the window's one description (layout.json, which pagegen writes
from the same table the Qt window walks), the page's template and style, and the program in the
two forms that emscripten built, with the fonts and the icon inside. Two forms come out of one page:

  --single FILE    one self-contained HTML file, to open from a disk, a USB stick or a share;
  --folder DIR     the same page as index.html, with a web app manifest, icons and a service
                   worker, for a static web server, installable as an app and usable offline.

Every byte follows from the inputs: nothing of the time, the machine or the build folder.
"""
import argparse
import base64
import hashlib
import html
import io
import json
import os
import re

from fontTools import subset
from fontTools.ttLib import TTFont

# What the page writes and a pupil types: Basic Latin (digits, signs, the exponent's E, the
# letters of a lenient answer such as 7abc), Cyrillic, and the punctuation of the labels.
FONT_UNICODES = [*range(0x20, 0x7F), 0xA0, 0xAB, 0xBB, *range(0x400, 0x460), *range(0x2010, 0x2016), 0x2026, 0x2116]


def subset_font(path):
    """The font at path cut down to FONT_UNICODES, as WOFF2."""
    options = subset.Options()
    options.flavor = 'woff2'
    options.hinting = False
    options.desubroutinize = True
    options.layout_features = ['kern', 'liga']
    options.drop_tables += ['FFTM']
    font = TTFont(path, recalcTimestamp=False)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=FONT_UNICODES)
    subsetter.subset(font)
    out = io.BytesIO()
    font.flavor = 'woff2'
    font.save(out, reorderTables=True)
    return out.getvalue()


def data_uri(mime, data):
    return 'data:%s;base64,%s' % (mime, base64.b64encode(data).decode('ascii'))


def css_colour(rgb):
    return 'rgb(%d, %d, %d)' % tuple(rgb)


def hex_colour(rgb):
    return '#%02x%02x%02x' % tuple(rgb)


def luminance(rgb):
    """WCAG's relative luminance of an sRGB colour."""
    def linear(channel):
        c = channel / 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def text_colour(rgb):
    """The system's text colour, unless a box's own colour leaves it short of WCAG's 4.5:1 for
    normal text: the green tally would give black digits only 4.1:1, so they are white there."""
    contrast_black = (luminance(rgb) + 0.05) / 0.05
    return '' if contrast_black >= 4.5 else ' color: #fff;'


def style(layout, static_css, regular, bold):
    families = ', '.join('"%s"' % family for family in layout['fonts']) + ', serif'
    embedded = layout['fonts'][-1]
    rules = [
        '@font-face { font-family: "%s"; font-weight: 400; src: url(%s) format("woff2"); }' % (embedded, data_uri('font/woff2', regular)),
        '@font-face { font-family: "%s"; font-weight: 700; src: url(%s) format("woff2"); }' % (embedded, data_uri('font/woff2', bold)),
        static_css.strip(),
        'html { background: %s; }' % css_colour(layout['colour']),
        '#window { width: %dpx; height: %dpx; background: %s; }' % (layout['width'], layout['height'], css_colour(layout['colour'])),
        '#window > * { font-family: %s; }' % families,
    ]
    fills = {'window': css_colour(layout['colour']), 'systemwindow': 'Field', 'buttonface': 'ButtonFace'}
    for control in layout['controls']:
        fill = css_colour(control['rgb']) if control['fill'] == 'rgb' else fills[control['fill']]
        colour = text_colour(control['rgb']) if control['fill'] == 'rgb' else ''
        rules.append('#window > #%s { left: %dpx; top: %dpx; width: %dpx; height: %dpx; font-size: %spx; font-weight: %d; background: %s;%s }' % (
            control['name'], control['left'], control['top'], control['width'], control['height'],
            control['fontSize'], control['weight'], fill, colour))
    return '\n'.join(rules) + '\n'


def controls(layout):
    """The controls in tab order, which is then the page's focus and reading order; their
    places come from the style, so the order moves nothing."""
    lines = []
    first_focus = True
    for control in sorted(layout['controls'], key=lambda c: c['tabIndex']):
        name = html.escape(control['name'])
        text = html.escape(control['text'])
        if control['kind'] == 'label':
            lines.append('<div id="%s" class="label">%s</div>' % (name, text))
        elif control['kind'] == 'textbox':
            # Digits on a touch keyboard, without limiting what may be typed or pasted; and nothing
            # remembered, corrected or capitalised by the browser.
            attributes = ['id="%s"' % name, 'type="text"', 'value="%s"' % text, 'inputmode="numeric"',
                          'autocomplete="off"', 'autocorrect="off"', 'autocapitalize="off"', 'spellcheck="false"',
                          'aria-label="%s"' % html.escape(control['accessibleName'])]
            if first_focus:
                attributes.append('autofocus')
            lines.append('<input %s>' % ' '.join(attributes))
        else:
            label = '' if control['accessibleName'] == control['text'] else ' aria-label="%s"' % html.escape(control['accessibleName'])
            if first_focus:
                label += ' autofocus'
            lines.append('<button id="%s" type="button"%s>%s</button>' % (name, label, text))
        if control['kind'] != 'label':
            first_focus = False
    return '\n'.join(lines) + '\n'


# Without JavaScript the window could never answer: only the message that says why shows.
NOSCRIPT_STYLE = '#window { display: none; }'


def csp_hash(text):
    return "'sha256-%s'" % base64.b64encode(hashlib.sha256(text.encode('utf-8')).digest()).decode('ascii')


def page(template, layout, css, script, javascript, wasm, guard, icon, description, manifest):
    """The page; with a manifest it is the folder's index.html, without it the single file."""
    for text in (script, javascript, guard):
        # Either would end the <script> element early, or keep it from ending where it should.
        if '</script' in text.lower() or '<!--' in text:
            raise SystemExit('makepage.py: a script holds </script or <!--, which its element cannot')
    # Nothing from anywhere but the page itself: its scripts and styles, by their hashes (the
    # JavaScript form's too, which start.js runs as a script of its own), WebAssembly compiled
    # from the page's own bytes, and the fonts and icon it carries. No eval of any text.
    policy = ["default-src 'none'",
              "script-src %s %s %s 'wasm-unsafe-eval'" % (csp_hash(script), csp_hash(javascript), csp_hash(guard)),
              'style-src %s %s' % (csp_hash(css), csp_hash(NOSCRIPT_STYLE)), 'font-src data:', "base-uri 'none'",
              "form-action 'none'"]
    if manifest:
        policy += ["img-src 'self' data:", "manifest-src 'self'", "worker-src 'self'"]
    else:
        policy += ['img-src data:']
    values = {
        '@CSP@': html.escape('; '.join(policy)),
        '@THEME@': hex_colour(layout['colour']),
        '@DESCRIPTION@': html.escape(description),
        '@TITLE@': html.escape(layout['title']),
        '@ICON@': icon,
        '@MANIFEST@': '<link rel="manifest" href="manifest.webmanifest">\n' if manifest else '',
        '@CONTROLS@': controls(layout),
        '@NOSCRIPT_STYLE@': NOSCRIPT_STYLE,
    }
    out = template
    for key, value in values.items():
        out = out.replace(key, value)
    # Last, and in one pass over the template, so that nothing in them is taken for a placeholder.
    inserted = {'@STYLE@': css, '@GUARD@': guard, '@WASM@': wasm, '@JAVASCRIPT@': javascript, '@SCRIPT@': script}
    return re.sub('|'.join(inserted), lambda match: inserted[match.group(0)], out)


def write(path, data):
    os.makedirs(os.path.dirname(path) or '.', exist_ok=True)
    with open(path, 'wb') as out:
        out.write(data if isinstance(data, bytes) else data.encode('utf-8'))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    for option in ('layout', 'template', 'css', 'start', 'wasm-glue', 'wasm', 'javascript', 'guard', 'regular', 'bold',
                   'favicon', 'service-worker', 'description', 'version', 'single', 'folder'):
        parser.add_argument('--' + option, required=True)
    parser.add_argument('--app-icon', action='append', required=True, help='SIZE:FILE; SIZE "any" for an SVG')
    args = parser.parse_args()

    def read(path, mode='r'):
        with open(path, mode, **({} if 'b' in mode else {'encoding': 'utf-8'})) as f:
            return f.read()

    layout = json.loads(read(args.layout))
    css = style(layout, read(args.css), subset_font(args.regular), subset_font(args.bold))
    # Each in a function of its own: the glue declares names at its top level (the JavaScript
    # form a stand-in WebAssembly object among them) that must not become the page's globals.
    # The WebAssembly form's glue runs inside startWebAssembly(program), which start.js calls.
    script = '(function () {\n%s\nfunction startWebAssembly(program) {\n%s\n}\n})();' % (
        read(args.start).strip(), read(args.wasm_glue).strip())
    javascript = '(function () {\n%s\n})();' % read(args.javascript).strip()
    wasm = base64.b64encode(read(args.wasm, 'rb')).decode('ascii')
    guard = read(args.guard).strip()
    icon = data_uri('image/png', read(args.favicon, 'rb'))
    template = read(args.template)

    write(args.single, page(template, layout, css, script, javascript, wasm, guard, icon, args.description, manifest=False))

    index = page(template, layout, css, script, javascript, wasm, guard, icon, args.description, manifest=True)
    files = {'index.html': index.encode('utf-8')}
    icons = []
    for entry in args.app_icon:
        size, path = entry.split(':', 1)
        name = 'icons/' + os.path.basename(path)
        files[name] = read(path, 'rb')
        svg = path.endswith('.svg')
        icons.append({'src': name, 'sizes': size if svg else '%sx%s' % (size, size),
                      'type': 'image/svg+xml' if svg else 'image/png', 'purpose': 'any'})
    manifest = {
        'id': './', 'name': layout['title'], 'short_name': layout['title'], 'description': args.description,
        'lang': 'ru', 'dir': 'ltr', 'start_url': './', 'scope': './', 'display': 'standalone',
        'background_color': hex_colour(layout['colour']), 'theme_color': hex_colour(layout['colour']),
        'categories': ['education', 'kids'], 'icons': icons,
    }
    files['manifest.webmanifest'] = (json.dumps(manifest, ensure_ascii=False, indent=2) + '\n').encode('utf-8')
    # The cache is named after everything it holds, so that each build replaces the last.
    digest = hashlib.sha256(b''.join(name.encode() + b'\0' + data for name, data in sorted(files.items())))
    cached = ['./'] + sorted(files)
    files['sw.js'] = (read(args.service_worker)
                      .replace('@CACHE@', 'zornet-%s-%s' % (args.version, digest.hexdigest()[:16]))
                      .replace('@FILES@', json.dumps(cached))).encode('utf-8')
    for name, data in files.items():
        write(os.path.join(args.folder, name), data)


if __name__ == '__main__':
    main()
