"""Prints the benchmark medians (with min-max over repetitions) and the targets."""
import json
import sys

runs = {}
for path in sys.argv[1:]:
    for b in json.load(open(path))["benchmarks"]:
        if b.get("run_type") != "iteration":
            continue
        runs.setdefault(b["run_name"].split("/iterations:")[0], []).append(b)


def stats(name, key="real_time"):
    values = sorted(r[key] for r in runs[name])
    return values[len(values) // 2], values[0], values[-1]


def row(label, name, target, base=None, ratio_target=None, key="real_time", unit="ms"):
    median, low, high = stats(name, key)
    if key == "rss_kb":
        median, low, high = median / 1024, low / 1024, high / 1024
    text = f"{label:<44} {median:9.2f} {unit} ({low:.2f}-{high:.2f})"
    ok = target is None or median < target
    if target is not None:
        text += f"  target < {target} {unit}"
    if base:
        b = stats(base, key)[0]
        if key == "rss_kb":
            b /= 1024
        ratio = median / b
        text += f"  ratio {ratio:.2f}x (target <= {ratio_target}x)"
        ok = ok and ratio <= ratio_target
    print(text + ("" if ok else "   MISSED"))


print(f"{'measure':<44} {'median':>12} (min-max)")
row("start-up to first paint: minimal window", "BM_StartupMinimalWindow", None)
row("start-up to first paint: trainer", "BM_StartupTrainer", None, "BM_StartupMinimalWindow", 1.3)
row("resident memory: minimal window", "BM_StartupMinimalWindow", None, key="rss_kb", unit="MiB")
row("resident memory: trainer", "BM_StartupTrainer", None, "BM_StartupMinimalWindow", 1.3, key="rss_kb", unit="MiB")
row("read 1,500 class ids from SQLite", "BM_ReadClassIds/1500", None)
row("fill the card with 1,500 questions", "BM_FillWholeClass/1500", 10, "BM_ReadClassIds/1500", 3)
row("read 32,767 class ids from SQLite", "BM_ReadClassIds/32767", None)
row("fill the card with 32,767 questions", "BM_FillWholeClass/32767", 100, "BM_ReadClassIds/32767", 3)
row("GetQuestion", "BM_GetQuestion", 2)
row("JudgeAnswer with every write (mark, history)", "BM_JudgeAnswer", 2)
row("compose a 100-question paper", "BM_ComposePaper", 5)
row("progress figure (20,000 answers, 500 records)", "BM_ProgressFigure", 50)
row("progress page (20,000 answers, 500 records)", "BM_ProgressPage", 50)
