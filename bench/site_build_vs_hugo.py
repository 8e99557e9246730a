#!/usr/bin/env python3
"""Whole-site build (open the project file, generate every file) beside Hugo on the same
content: pages of 20 paragraphs, each with a link to another page. Both run pinned to
one core (Hugo with GOMAXPROCS=1), alternated, timed by the same clock from process
start to exit; medians are reported.

usage: bench/site_build_vs_hugo.py <build dir> [pages ...] [--rounds N] [--core C] [--before <build dir>]
Installs Hugo from the distribution when it is missing (apt-get, needs root).
--before times a second build of ours (another commit) in the same rounds, alternated, on
the project file the first one wrote, so that a change is measured beside what it changed.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

PARAGRAPH = "Some words of text on this page, &amp; a few more of them to make a paragraph of ordinary length."
PARAGRAPHS = 20


def ensure_hugo():
    if shutil.which("hugo"):
        return
    subprocess.run(["apt-get", "install", "-y", "hugo"], check=True, stdout=subprocess.DEVNULL)


def write_hugo_site(root, pages):
    """The same pages as the project: a title, 20 paragraphs, each followed by a link."""
    os.makedirs(os.path.join(root, "content"))
    os.makedirs(os.path.join(root, "layouts", "_default"))
    with open(os.path.join(root, "hugo.toml"), "w") as f:
        f.write('baseURL = "/"\ntitle = "Site"\ndisableKinds = ["taxonomy", "term", "RSS", "sitemap", "robotsTXT", "404"]\n'
                'relativeURLs = true\n')
    page = ("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>{{ .Title }}</title>"
            "<link rel=\"stylesheet\" href=\"styles.css\"></head>\n<body>{{ .Content }}</body></html>\n")
    for name in ("single.html", "list.html"):
        with open(os.path.join(root, "layouts", "_default", name), "w") as f:
            f.write(page)
    with open(os.path.join(root, "layouts", "index.html"), "w") as f:
        f.write(page)
    for p in range(pages):
        target = p * 7 % pages
        name = "_index.md" if p == 0 else "page-%d.md" % p
        link = "/" if target == 0 else "/page-%d/" % target
        with open(os.path.join(root, "content", name), "w") as f:
            f.write('---\ntitle: "Page %d"\n---\n\n' % p)
            for _ in range(PARAGRAPHS):
                f.write(PARAGRAPH + "\n\n[Next page](%s)\n\n" % link)


def timed(cmd, env=None):
    start = time.perf_counter()
    r = subprocess.run(cmd, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    elapsed = time.perf_counter() - start
    if r.returncode != 0:
        sys.exit("failed: %s\n%s" % (" ".join(cmd), r.stderr.decode(errors="replace")))
    return elapsed


def main():
    args = sys.argv[1:]
    if not args:
        sys.exit(__doc__)
    build = args.pop(0)
    rounds, core, counts, before = 9, "2", [], None
    while args:
        a = args.pop(0)
        if a == "--rounds":
            rounds = int(args.pop(0))
        elif a == "--core":
            core = args.pop(0)
        elif a == "--before":
            before = os.path.join(args.pop(0), "bench", "site_build")
        else:
            counts.append(int(a))
    counts = counts or [100, 1000, 5000]
    ensure_hugo()
    tool = os.path.join(build, "bench", "site_build")
    pin = ["taskset", "-c", core]
    hugo_env = dict(os.environ, GOMAXPROCS="1")
    header = "%6s  %10s  %10s  %8s  %14s" % ("pages", "ours ms", "hugo ms", "x_hugo", "ours pages/s")
    if before:
        header += "  %10s  %8s  %8s" % ("before ms", "x_before", "x_hugo before")
    print(header)
    for pages in counts:
        with tempfile.TemporaryDirectory() as work:
            project = os.path.join(work, "site.kjproj")
            subprocess.run([tool, "write", str(pages), project], check=True)
            hugo_site = os.path.join(work, "hugo")
            write_hugo_site(hugo_site, pages)
            ours_cmd = pin + [tool, "build", project, os.path.join(work, "ours")]
            hugo_cmd = pin + ["hugo", "--quiet", "-s", hugo_site, "-d", os.path.join(work, "hugo-public")]
            runs = [(ours_cmd, None), (hugo_cmd, hugo_env)]
            if before:
                runs.append((pin + [before, "build", project, os.path.join(work, "before")], None))
            # a warm-up each: all then write over their existing output
            for cmd, env in runs:
                timed(cmd, env)
            times = [[] for _ in runs]
            for i in range(rounds):
                order = list(range(len(runs)))
                if i % 2 == 1:
                    order.reverse()
                for k in order:
                    times[k].append(timed(*runs[k]))
            o, h = statistics.median(times[0]), statistics.median(times[1])
            line = "%6d  %10.1f  %10.1f  %8.2f  %14.0f" % (pages, o * 1e3, h * 1e3, h / o, pages / o)
            if before:
                b = statistics.median(times[2])
                line += "  %10.1f  %8.2f  %8.2f" % (b * 1e3, b / o, h / b)
            print(line, flush=True)


if __name__ == "__main__":
    main()
