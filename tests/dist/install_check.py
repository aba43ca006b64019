#!/usr/bin/env python3
"""Installs the build into a temporary prefix and checks what a desktop and a shell find there:
the file list, the desktop entry, the AppStream file, the file type, the manuals, the completion,
and that the installed programs run outside the build folder.

install_check.py BUILD_DIR"""
import gzip
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import glob
import unittest

BUILD = sys.argv.pop(1)
SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
APP_ID = "org.quillmere.Quillmere"
MIME_TYPE = "application/x-quillmere-design"
ICON_SIZES = (16, 24, 32, 48, 64, 128)

EXPECTED = {
    "bin/quillmere",
    "bin/quillmere-cli",
    f"share/applications/{APP_ID}.desktop",
    f"share/metainfo/{APP_ID}.metainfo.xml",
    "share/mime/packages/quillmere-design.xml",
    "share/man/man1/quillmere.1.gz",
    "share/man/man1/quillmere-cli.1.gz",
    "share/bash-completion/completions/quillmere-cli",
    "share/doc/quillmere/README.md",
    "share/doc/quillmere/design-file.md",
    "share/doc/quillmere/exports.md",
    "share/doc/quillmere/copyright",
    "share/doc/quillmere/licenses/README.md",
} | {f"share/icons/hicolor/{n}x{n}/apps/{APP_ID}.png" for n in ICON_SIZES} | {
    # the licence of each data set bundled under res/
    "share/doc/quillmere/licenses/" + os.path.basename(p) for p in glob.glob(os.path.join(SOURCE, "res/*/LICENSE*"))}


def run(*command, **options):
    return subprocess.run(command, capture_output=True, text=True, timeout=120, **options)


class Installed(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp(prefix="quillmere-install-")
        cls.prefix = os.path.join(cls.folder, "usr")
        done = run("cmake", "--install", BUILD, "--prefix", cls.prefix)
        assert done.returncode == 0, done.stdout + done.stderr

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.folder)

    def path(self, relative):
        return os.path.join(self.prefix, relative)

    def cli_options(self):
        """The long options `quillmere-cli --help` lists."""
        shown = run(self.path("bin/quillmere-cli"), "--help", cwd=self.folder)
        self.assertEqual(shown.returncode, 0, shown.stderr)
        options = set(re.findall(r"(?<![\w-])--[a-z][a-z-]*", shown.stdout))
        self.assertGreater(len(options), 40)
        return options

    def test_the_files_are_exactly_those_expected(self):
        found = set()
        for root, _, files in os.walk(self.prefix):
            found |= {os.path.relpath(os.path.join(root, f), self.prefix) for f in files}
        self.assertEqual(found, EXPECTED)
        for program in ("bin/quillmere", "bin/quillmere-cli"):
            self.assertTrue(os.access(self.path(program), os.X_OK), program)

    def test_validators_accept_the_desktop_files(self):
        for command in (("desktop-file-validate", self.path(f"share/applications/{APP_ID}.desktop")),
                        ("appstreamcli", "validate", "--no-net",
                         self.path(f"share/metainfo/{APP_ID}.metainfo.xml"))):
            checked = run(*command)
            self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)
            self.assertNotIn("warning", (checked.stdout + checked.stderr).lower(), command)

    def test_the_desktop_entry_names_the_installed_type_and_icon(self):
        with open(self.path(f"share/applications/{APP_ID}.desktop"), encoding="utf-8") as f:
            entry = f.read()
        self.assertIn(f"MimeType={MIME_TYPE};", entry)
        self.assertIn(f"Icon={APP_ID}\n", entry)
        self.assertIn("Exec=quillmere %f\n", entry)
        for key in ("GenericName[zh_CN]=", "Comment[zh_CN]=", "GenericName=", "Comment="):
            self.assertIn(key, entry)

    def test_the_file_type_is_known_by_name_and_by_content(self):
        mime = os.path.join(self.folder, "mime")
        shutil.copytree(self.path("share/mime"), mime)
        built = run("update-mime-database", mime)
        self.assertEqual(built.returncode, 0, built.stderr)
        with open(os.path.join(mime, "globs2"), encoding="utf-8") as f:
            self.assertIn(f"{MIME_TYPE}:*.qmd", f.read())
        with open(os.path.join(mime, "magic"), "rb") as f:
            magic = f.read()
        self.assertIn(MIME_TYPE.encode(), magic)
        # The magic must match what the program writes.
        saved = os.path.join(self.folder, "d.qmd")
        done = run(self.path("bin/quillmere-cli"), "--save-design", saved)
        self.assertEqual(done.returncode, 0, done.stderr)
        with open(saved, "rb") as f:
            self.assertIn(b'"quillmere-design"', f.read(64))

    def test_manuals_render_without_warnings_and_list_every_option(self):
        pages = {"quillmere": None, "quillmere-cli": self.cli_options()}
        for name, options in pages.items():
            with gzip.open(self.path(f"share/man/man1/{name}.1.gz"), "rb") as f:
                source = f.read()
            page = os.path.join(self.folder, f"{name}.1")
            with open(page, "wb") as f:
                f.write(source)
            rendered = run("groff", "-man", "-ww", "-z", "-K", "utf8", page)
            self.assertEqual(rendered.stderr, "", name)
            shown = run("man", "-l", "--warnings", page, env={**os.environ, "MANWIDTH": "80",
                                                                "LANG": "C.UTF-8"})
            self.assertEqual(shown.returncode, 0, shown.stderr)
            self.assertEqual(shown.stderr, "", name)
            for heading in ("SYNOPSIS", "OPTIONS", "EXIT STATUS", "FILES", "EXAMPLES"):
                self.assertIn(heading, shown.stdout, name)
            if options:
                listed = set(re.findall(r"(?<![\w-])--[a-z][a-z-]*", shown.stdout.replace("\u2010", "-")))
                self.assertEqual(options - listed, set(), f"{name}(1) misses options")
        with gzip.open(self.path("share/man/man1/quillmere.1.gz"), "rt", encoding="utf-8") as f:
            window_page = f.read().replace("\\-", "-")
        for option in ("--lang", "--winding-sheet", "--design", "--solution"):
            self.assertIn(option, window_page)

    def complete(self, *words):
        script = self.path("share/bash-completion/completions/quillmere-cli")
        line = " ".join(f"'{w}'" for w in words)
        shell = (f"source '{script}'; COMP_WORDS=(quillmere-cli {line}); COMP_CWORD={len(words)}; "
                 "_quillmere_cli; printf '%s\\n' \"${COMPREPLY[@]}\"")
        done = run("bash", "-c", shell)
        self.assertEqual(done.returncode, 0, done.stderr)
        return set(done.stdout.split())

    def test_completion_offers_every_option_and_the_fixed_values(self):
        self.assertEqual(self.complete("--") - {"--help", "--version", "--json"},
                         self.cli_options() - {"--help", "--version", "--json"})
        self.assertEqual(self.complete("--fo"), {"--format"})
        self.assertEqual(self.complete("--format", ""), {"table", "json", "csv"})
        self.assertEqual(self.complete("--lang", ""), {"en", "zh"})
        self.assertEqual(self.complete("--frequency", ""), set())

    def test_the_installed_programs_run_outside_the_build_folder(self):
        version = run(self.path("bin/quillmere-cli"), "--version", cwd=self.folder)
        self.assertEqual(version.returncode, 0, version.stderr)
        with open(os.path.join(BUILD, "CMakeCache.txt"), encoding="utf-8") as f:
            project_version = re.search(r"CMAKE_PROJECT_VERSION:STATIC=(\S+)", f.read()).group(1)
        self.assertIn(project_version, version.stdout)
        # The English texts come with the program: without a display it says so in English.
        environment = {k: v for k, v in os.environ.items()
                       if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        started = run(self.path("bin/quillmere"), "--lang", "en", cwd=self.folder, env=environment)
        self.assertEqual(started.returncode, 1)
        self.assertIn("Cannot open a window", started.stderr)
        sheet = os.path.join(self.folder, "sheet.pdf")
        written = run(self.path("bin/quillmere"), "--lang", "en", "--winding-sheet", sheet,
                      cwd=self.folder, env=environment)
        self.assertEqual(written.returncode, 0, written.stderr)
        with open(sheet, "rb") as f:
            self.assertEqual(f.read(5), b"%PDF-")


if __name__ == "__main__":
    unittest.main(verbosity=2)
