#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Runs every brelvo-cli command with --json on copies of real movies, good and failing files
mixed, and validates what it prints against the schema kept in the repository: one array,
one object per file in the order given, failed files included.

Usage: check_json_schema.py BRELVO_CLI SCHEMA FIXTURE_DIR SCRATCH_DIR
Exits 77 when no python3 with the jsonschema module (Debian: python3-jsonschema) is found."""
import json
import os
import shutil
import subprocess
import sys

try:
    import jsonschema
except ImportError:
    debian = "/usr/bin/python3"
    if sys.executable != debian and os.path.exists(debian):
        os.execv(debian, [debian] + sys.argv)
    print("python3-jsonschema missing")
    sys.exit(77)

cli, schema_path, fixtures, scratch = sys.argv[1:5]
with open(schema_path, encoding="utf-8") as f:
    schema = json.load(f)
jsonschema.Draft202012Validator.check_schema(schema)

shutil.rmtree(scratch, ignore_errors=True)
os.makedirs(scratch)
problems = []


def copy(name, as_name=None):
    path = os.path.join(scratch, as_name or name)
    shutil.copyfile(os.path.join(fixtures, name), path)
    return path


def validate(command, args, files, status, failed=()):
    """Runs brelvo-cli COMMAND --json ARGS and checks the array against $defs/COMMAND: its
    paths are FILES in order, the ones in FAILED are failures, the exit status is STATUS."""
    run = subprocess.run([cli, command, "--json"] + args, capture_output=True)
    where = " ".join([command] + [os.path.basename(a) for a in args])
    if run.returncode != status:
        problems.append(f"{where}: exit {run.returncode}, expected {status}: {run.stderr!r}")
    try:
        output = json.loads(run.stdout)
    except ValueError as e:
        problems.append(f"{where}: not JSON ({e}): {run.stdout[:200]!r}")
        return None
    def validator(ref):
        return jsonschema.Draft202012Validator({"$defs": schema["$defs"], "$ref": ref})

    if not validator(f"#/$defs/{command}").is_valid(output):
        # Say why, item by item, against the object it should be: a report or a failure.
        branches = schema["$defs"][command]["items"]["anyOf"]
        for i, item in enumerate(output if isinstance(output, list) else [output]):
            ref = branches[1 if isinstance(item, dict) and "error" in item else 0]["$ref"]
            for error in validator(ref).iter_errors(item):
                problems.append(f"{where}: [{i}]{error.json_path[1:]}: {error.message[:300]}")
        if not isinstance(output, list):
            problems.append(f"{where}: not an array")
    paths = [item.get("path") for item in output] if isinstance(output, list) else None
    if paths != files:
        problems.append(f"{where}: paths {paths}, expected {files}")
    else:
        errors = [f for f, item in zip(files, output) if "error" in item]
        if errors != list(failed):
            problems.append(f"{where}: failed {errors}, expected {list(failed)}")
    return output


missing = os.path.join(scratch, "missing.avi")
notes = os.path.join(scratch, "notes.avi")
with open(notes, "w", encoding="utf-8") as f:
    f.write("not a movie")

# Reading commands, several files with failures among them, and one file alone.
good = [os.path.join(fixtures, n) for n in ("ffmpeg_info_items.avi", "ffmpeg_two_audio.avi",
                                            "gst_mjpeg_pcm.avi", "ffmpeg_div3_video_only.avi")]
for command in ("info", "keyframes"):
    validate(command, [good[0], missing, good[1], notes, good[2], good[3]],
             [good[0], missing, good[1], notes, good[2], good[3]], 1, [missing, notes])
    validate(command, [good[0]], [good[0]], 0)

# Edit commands: dry runs, writes on copies, a file lacking the field, a missing file.
movie = copy("ffmpeg_info_items.avi")
silent = copy("ffmpeg_div3_video_only.avi")
edits = [
    ("set-fourcc", ["--handler", "XVID", "--compression", "DX50"], []),
    ("set-fps", ["30000/1001"], []),
    ("set-fps", ["23.976"], []),
    ("set-delay", ["0.25"], [silent]),
    ("set-delay", ["--units", "1000"], [silent]),
    ("set-info", ["--artist", "A much longer artist name than the item holds", "--name", "N"],
     [silent]),
]
for command, args, lacking in edits:
    for dry in (["--dry-run"], []):
        files = [movie] + lacking + [missing]
        validate(command, dry + args + files, files, 1, lacking + [missing])
    validate(command, args + [movie], [movie], 0)

# Audio commands: one movie and its WAV file, the n-th sound stream, movies into a folder.
wav = os.path.join(scratch, "sound.wav")
validate("extract-audio", [movie, wav], [movie], 0)
validate("extract-audio", [silent, os.path.join(scratch, "none.wav")], [silent], 1, [silent])
two = copy("ffmpeg_two_audio.avi")
first = os.path.join(scratch, "first.wav")
validate("extract-audio", ["--stream", "1", two, first], [two], 0)
validate("reintegrate-audio", ["--stream", "1", "--dry-run", two, first], [two], 0)
folder = os.path.join(scratch, "sounds")
os.makedirs(folder)
validate("extract-audio", ["-o", folder, two, silent, movie, movie],
         [two, silent, movie, movie], 1, [silent, movie])
validate("reintegrate-audio", ["--dry-run", movie, wav], [movie], 0)
validate("reintegrate-audio", [movie, wav], [movie], 0)
validate("reintegrate-audio", ["--jink", "0.5", movie, wav], [movie], 0)
with open(wav, "r+b") as f:
    f.truncate(os.path.getsize(wav) - 200)  # shorter than the sound track: refused
validate("reintegrate-audio", ["--dry-run", movie, wav], [movie], 1, [movie])
validate("reintegrate-audio", [movie, wav], [movie], 1, [movie])
validate("reintegrate-audio", ["--force", movie, wav], [movie], 0)
validate("reintegrate-audio", [movie, os.path.join(scratch, "absent.wav")], [movie], 1, [movie])

# Check and repair: a movie cut short (faults the repair mends, and its lost index and cut
# chunk, which it cannot), a sound one, a missing file.
cut = copy("ffmpeg_info_items.avi", "cut.avi")
with open(cut, "r+b") as f:
    f.truncate(os.path.getsize(cut) * 2 // 3)
sound = copy("gst_mjpeg_pcm.avi")
validate("check", [cut, sound, missing], [cut, sound, missing], 1, [missing])
validate("repair", ["--dry-run", cut, missing], [cut, missing], 1, [missing])
validate("repair", [cut], [cut], 1)
validate("check", [cut, sound], [cut, sound], 1)

# Every command that --help lists is checked here and described by the schema.
usage = subprocess.run([cli, "--help"], capture_output=True, text=True).stdout
commands = [line.split()[0] for line in usage.splitlines()
            if line.startswith("  ") and line[2:3].isalpha()]
checked = {"info", "keyframes", "extract-audio", "reintegrate-audio", "check", "repair"} | {c for c, _, _ in edits}
for command in commands:
    if command not in checked:
        problems.append(f"{command}: not run by this check")
    if command not in schema["$defs"]:
        problems.append(f"{command}: no $defs/{command} in {schema_path}")

for problem in problems:
    print(problem)
if not problems:
    print(f"--json of {', '.join(commands)} matches {os.path.basename(schema_path)}")
sys.exit(1 if problems else 0)
