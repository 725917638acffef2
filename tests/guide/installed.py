#!/usr/bin/env python3
"""Prints, one a line, the files that the Windows section of the guide (Администратору.html as the
Windows build writes it) says the packages put in the program's folder, for the Windows tests to
hold each package to. Usage: installed.py GUIDE.html"""
import html
import re
import sys

with open(sys.argv[1], encoding='utf-8') as f:
    document = f.read()
found = re.search(r'id="installed"[^>]*>.*?</h\d>\s*<p>(.*?)</p>', document, re.S)
if not found:
    sys.exit('installed.py: the guide has no list of the files installed (id="installed")')
for name in re.findall(r'<code>([^<\\]+)</code>', found.group(1)):
    print(html.unescape(name))
