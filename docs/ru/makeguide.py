#!/usr/bin/env python3
"""Writes one document of Зорнет's Russian guide from its parts, the pages beside this script
(teacher.html, admin-windows.html, ...), each of which opens on its own as it stands. The document
holds everything it shows, the style and the pictures included, so that it opens by a double
click on any computer, and names nothing outside itself.

  makeguide.py --title TITLE --output FILE PART.html [PART.html ...]

A part's <main> is taken whole. With more than one part, the document opens with their list and
each part's headings go one level down under the document's title. <pre data-include="FILE">
takes FILE's text (the example server configurations), and <img src> the picture it names.
Every byte follows from the inputs.
"""
import argparse
import base64
import html
import os
import re
import sys

MAIN = re.compile(r'<main id="([a-z-]+)">(.*?)</main>', re.S)
INCLUDE = re.compile(r'<pre data-include="([^"]+)"></pre>')
IMAGE = re.compile(r'<img src="([^"]+)"')
HEADING = re.compile(r'<(/?)h([1-5])\b')
TYPES = {'.png': 'image/png', '.svg': 'image/svg+xml'}


def fail(message):
    sys.exit('makeguide.py: ' + message)


def read(path, mode='r'):
    with open(path, mode, **({} if 'b' in mode else {'encoding': 'utf-8'})) as f:
        return f.read()


def part(path, demote):
    """The <main> of the page at path, as a <section> of the document, made to need nothing beside it."""
    here = os.path.dirname(path)
    found = MAIN.search(read(path))
    if not found:
        fail(path + ' has no <main id="...">')
    name, body = found.groups()

    def include(match):
        return '<pre><code>%s</code></pre>' % html.escape(read(os.path.join(here, match.group(1))).rstrip('\n'), quote=False)

    def image(match):
        source = os.path.join(here, match.group(1))
        kind = TYPES.get(os.path.splitext(source)[1])
        if not kind:
            fail('%s: cannot carry the picture %s' % (path, match.group(1)))
        return '<img src="data:%s;base64,%s"' % (kind, base64.b64encode(read(source, 'rb')).decode('ascii'))

    body = IMAGE.sub(image, INCLUDE.sub(include, body))
    if demote:
        body = HEADING.sub(lambda match: '<%sh%d' % (match.group(1), int(match.group(2)) + 1), body)
    # Only places in the document itself: a link to a file would be lost with the file.
    for target in re.findall(r'href="([^"]*)"', body):
        if not target.startswith('#'):
            fail('%s links to %s, which the document would not carry' % (path, target))
    return name, body


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('--title', required=True)
    parser.add_argument('--output', required=True)
    parser.add_argument('parts', nargs='+')
    args = parser.parse_args()

    several = len(args.parts) > 1
    sections = [part(path, several) for path in args.parts]
    ids = re.findall(r'\bid="([^"]+)"', ''.join(body for _, body in sections)) + [name for name, _ in sections]
    repeated = sorted({i for i in ids if ids.count(i) > 1})
    if repeated:
        fail('the parts repeat the ids ' + ', '.join(repeated))
    for target in re.findall(r'href="#([^"]*)"', ''.join(body for _, body in sections)):
        if target not in ids:
            fail('a link leads to #%s, which no part has' % target)

    out = ['<!DOCTYPE html>', '<html lang="ru">', '<head>', '<meta charset="utf-8">',
           '<meta name="viewport" content="width=device-width, initial-scale=1">',
           '<title>%s</title>' % html.escape(args.title),
           '<style>%s</style>' % read(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'guide.css')).strip(),
           '</head>', '<body>']
    if several:
        out.append('<h1>%s</h1>' % html.escape(args.title))
        out.append('<nav class="contents"><ul>')
        for name, body in sections:
            heading = re.search(r'<h2[^>]*>(.*?)</h2>', body, re.S).group(1)
            out.append('<li><a href="#%s">%s</a></li>' % (name, heading))
        out.append('</ul></nav>')
    for name, body in sections:
        out.append('<section id="%s">%s</section>' % (name, body.strip('\n')) if several else '<main id="%s">%s</main>' % (name, body.strip('\n')))
    out += ['</body>', '</html>', '']
    os.makedirs(os.path.dirname(os.path.abspath(args.output)), exist_ok=True)
    with open(args.output, 'w', encoding='utf-8') as f:
        f.write('\n'.join(out))


if __name__ == '__main__':
    main()
