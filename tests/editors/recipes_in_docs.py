#!/usr/bin/env python3
"""Every editor recipe in examples/editors/ is shown whole in the README, as a
fenced block, and in the man page's EDITORS section, as a literal block, so
the text people copy is the text the editor tests run. The recipes no editor
here can run (Helix, VS Code) are at least read as TOML and JSON and must
start zentab lsp.

Usage: recipes_in_docs.py README MAN_SOURCE RECIPES_DIR
"""
import json
import pathlib
import re
import sys


def literal_blocks(scdoc_source):
    """The text of each ``` block of an scdoc source, as the reader sees it:
    a backslash is written twice there."""
    blocks = re.findall(r"^```\n(.*?)^```$", scdoc_source, re.M | re.S)
    return [block.replace("\\\\", "\\") for block in blocks]


def fenced_blocks(markdown):
    return re.findall(r"^```[a-z]*\n(.*?)^```$", markdown, re.M | re.S)


def section(scdoc_source, title):
    match = re.search(rf"^# {title}\n(.*?)(?=^# [A-Z ]+$)", scdoc_source, re.M | re.S)
    return match.group(1) if match else ""


def check_documented_only(recipes):
    """Problems with the Helix and VS Code recipes, read as their editors
    would read them."""
    problems = []
    settings = json.loads((recipes / "vscode-settings.json").read_text())
    if settings.get("glspc.server.command") != "zentab" or settings.get(
        "glspc.server.commandArguments"
    ) != ["lsp"]:
        problems.append("vscode-settings.json does not start zentab lsp")
    try:
        import tomllib
    except ImportError:  # Python before 3.11: the TOML is not read
        return problems
    helix = tomllib.loads((recipes / "helix-languages.toml").read_text())
    server = helix.get("language-server", {}).get("zentab", {})
    if server.get("command") != "zentab" or server.get("args") != ["lsp"]:
        problems.append("helix-languages.toml does not start zentab lsp")
    markdown = [lang for lang in helix.get("language", []) if lang.get("name") == "markdown"]
    if not markdown or "zentab" not in markdown[0].get("language-servers", []):
        problems.append("helix-languages.toml does not give Markdown the zentab server")
    return problems


def main():
    readme_path, man_path, recipes_dir = sys.argv[1:4]
    readme = pathlib.Path(readme_path).read_text(encoding="utf-8")
    man = pathlib.Path(man_path).read_text(encoding="utf-8")
    recipes = pathlib.Path(recipes_dir)
    readme_blocks = fenced_blocks(readme)
    man_blocks = literal_blocks(section(man, "EDITORS"))
    problems = []
    files = sorted(path for path in recipes.iterdir() if path.is_file())
    if len(files) < 7:
        problems.append(f"only {len(files)} recipes in {recipes}")
    for path in files:
        text = path.read_text(encoding="utf-8")
        if text not in readme_blocks:
            problems.append(f"the README does not show {path.name} as it is")
        if text not in man_blocks:
            problems.append(f"the man page's EDITORS section does not show {path.name} as it is")
        if "@" in text:
            problems.append(f"{path.name} holds '@', which the man page's build would replace")
    problems += check_documented_only(recipes)
    for problem in problems:
        print(problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
