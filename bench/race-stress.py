#!/usr/bin/env python3
"""Attacks lumarin-split's output while it runs; not a test, a measurement.

    bench/race-stress.py [SECONDS] [LUMARIN-SPLIT]

1. For SECONDS (default 60) an attacker loops over the chapter files of an
   --existing overwrite run, swapping each for a hard link to a file outside
   the output folder (or to the source), or for a symbolic link to one, by
   link() and by rename() over the name, while the run is repeated. At the end
   it reports how many files outside the output folder changed: must be 0.
2. For SECONDS again, two overwrite runs into the same folder start together;
   after each pair no chapter file may hold its chapter twice, and every run
   either finished or was refused because the other one held the folder.
3. For SECONDS again, batches of two books of one name (x/novel.txt and
   y/novel.txt, different books) into one -o folder, in each --existing mode
   in turn, split side by side: after each run the folder must hold exactly
   the first book's files, as it writes them alone (0 files lost or changed),
   and the second book must be reported failed.
"""
import hashlib
import multiprocessing
import os
import subprocess
import sys
import tempfile
import time

SECONDS = float(sys.argv[1]) if len(sys.argv) > 1 else 60.0
SPLIT = sys.argv[2] if len(sys.argv) > 2 else "build/release/bin/lumarin-split"
CHAPTERS = 200


def write_novel(path, chapters=CHAPTERS):
    lines = ["书名：测试", ""]
    for c in range(1, chapters + 1):
        lines.append(f"第{c}章 题{c}")
        lines.extend(f"　　题{c}，段{p}：风吹过江面。" for p in range(12))
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def split(source, out, *extra):
    return subprocess.run([SPLIT, "-q", "-g", "0", "--existing", "overwrite", "-o", out, *extra,
                           source], capture_output=True, text=True)


def attacker(folder, victims, stop):
    """Swaps chapter files for links to the victims as fast as it can."""
    n = 0
    while not stop.is_set():
        try:
            names = [e.name for e in os.scandir(folder) if not e.name.startswith(".x")]
        except FileNotFoundError:
            continue
        for name in names:
            victim = victims[n % len(victims)]
            path = os.path.join(folder, name)
            spare = os.path.join(folder, f".x{n}")
            n += 1
            try:
                kind = n % 3
                if kind == 0:  # link() where the file was
                    os.unlink(path)
                    os.link(victim, path)
                elif kind == 1:  # a hard link renamed over the file
                    os.link(victim, spare)
                    os.rename(spare, path)
                else:  # a symbolic link renamed over the file
                    os.symlink(victim, spare)
                    os.rename(spare, path)
            except OSError:
                pass
            finally:
                try:
                    os.unlink(spare)
                except OSError:
                    pass


def attack(root):
    source = os.path.join(root, "novel.txt")
    write_novel(source)
    outside = os.path.join(root, "outside")
    os.mkdir(outside)
    victims = [source]
    for i in range(4):
        victim = os.path.join(outside, f"victim{i}.txt")
        with open(victim, "w") as f:
            f.write(f"must never change {i}\n" * 100)
        victims.append(victim)
    before = {v: digest(v) for v in victims}
    out = os.path.join(root, "out")
    os.mkdir(out)
    folder = os.path.join(out, "novel")
    split(source, out)  # the folder and its files exist before the attacker starts
    stop = multiprocessing.Event()
    worker = multiprocessing.Process(target=attacker, args=(folder, victims, stop))
    worker.start()
    runs = done = 0
    end = time.monotonic() + SECONDS
    while time.monotonic() < end:
        result = split(source, out)
        runs += 1
        done += result.returncode == 0
    stop.set()
    worker.join()
    changed = [v for v in victims if not os.path.exists(v) or digest(v) != before[v]]
    print(f"attacker: {runs} overwrite runs ({done} finished, {runs - done} refused a planted "
          f"file); files outside the output folder changed: {len(changed)}")
    return len(changed)


def concurrent(root):
    source = os.path.join(root, "novel.txt")
    write_novel(source)
    out = os.path.join(root, "out")
    folder = os.path.join(out, "novel")
    pairs = busy = doubled = failed = 0
    end = time.monotonic() + SECONDS
    while time.monotonic() < end:
        runs = [subprocess.Popen([SPLIT, "-q", "-g", "0", "--existing", "overwrite", "-o", out,
                                  source], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                 text=True) for _ in range(2)]
        for run in runs:
            _, err = run.communicate()
            if run.returncode != 0:
                if "另一个输出正在写入" in err:
                    busy += 1
                else:
                    failed += 1
        pairs += 1
        for name in os.listdir(folder):
            with open(os.path.join(folder, name), encoding="utf-8") as f:
                text = f.read()
            if text.count("风吹过江面") > 12:
                doubled += 1
    print(f"concurrent: {pairs} pairs of runs, {busy} runs refused as busy, {failed} other "
          f"failures, chapter files holding their chapter twice: {doubled}")
    return doubled + failed


def files_of(folder):
    """Every file below folder, by relative path, with its digest."""
    found = {}
    for top, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(top, name)
            found[os.path.relpath(path, folder)] = digest(path)
    return found


def namesakes(root):
    first = os.path.join(root, "x", "novel.txt")
    second = os.path.join(root, "y", "novel.txt")
    for path, chapters in ((first, CHAPTERS), (second, CHAPTERS // 2)):
        os.makedirs(os.path.dirname(path))
        write_novel(path, chapters)
    out = os.path.join(root, "out")
    folder = os.path.join(out, "novel")
    subprocess.run([SPLIT, "-q", "-g", "0", "-o", out, first], check=True, capture_output=True)
    alone = files_of(folder)
    runs = lost = misreported = 0
    modes = ("overwrite", "append", "refuse")
    end = time.monotonic() + SECONDS
    while time.monotonic() < end:
        mode = modes[runs % len(modes)]
        subprocess.run(["rm", "-rf", out], check=True)
        result = subprocess.run([SPLIT, "-q", "-g", "0", "--existing", mode, "-o", out, first,
                                 second], capture_output=True, text=True)
        runs += 1
        now = files_of(folder)
        lost += sum(1 for name, sha in alone.items() if now.get(name) != sha)
        lost += len(set(now) - set(alone))
        if result.returncode != 1 or f"失败: {second}" not in result.stderr:
            misreported += 1
    print(f"namesakes: {runs} batches of two books of one name; files of the first book lost "
          f"or changed: {lost}; batches not reporting the second as failed: {misreported}")
    return lost + misreported


def main():
    with tempfile.TemporaryDirectory(dir="/dev/shm") as a, \
            tempfile.TemporaryDirectory(dir="/dev/shm") as b, \
            tempfile.TemporaryDirectory(dir="/dev/shm") as c:
        bad = attack(a) + concurrent(b) + namesakes(c)
    sys.exit(1 if bad else 0)


if __name__ == "__main__":
    main()
