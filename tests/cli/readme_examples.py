#!/usr/bin/python3
# Runs every "$ build/quadriflank-cli ..." example of the README's
# quadriflank-cli section with the tool given and compares what it prints
# (standard error last) with the README; "..." stands for any lines.
import os, re, subprocess, sys

readme, tool = sys.argv[1], os.path.abspath(sys.argv[2])
section = open(readme).read().split("\n## quadriflank-cli\n")[1].split("\n## ")[0]
examples = re.findall(r"^\$ (.*)\n((?:(?!\$ |```).*\n)*)", section, re.M)
prelude, failed = "", []
for command, shown in examples:
    run = subprocess.run(prelude + command.replace("build/quadriflank-cli", tool),
                         shell=True, capture_output=True, text=True)
    lines = ("(?:.*\n)*" if l == "..." else re.escape(l) + "\n" for l in shown.splitlines())
    if not re.fullmatch("".join(lines), run.stdout + run.stderr):
        failed.append(f"README example differs: $ {command}\n{run.stdout}{run.stderr}")
    # A shell variable is set again before each later example.
    prelude += "" if "quadriflank-cli" in command else command + "\n"
print(*failed, f"{len(examples)} README examples checked, {len(failed)} differ", sep="\n")
sys.exit(1 if failed or len(examples) < 8 else 0)
