"""The web site of a document in a real browser: headless Chromium driven through chromium-driver.

Builds a small document with pagetool, publishes it with `pagetool site` and opens index.html
through file://. At 1280 x 800 and at 640 x 480 it clicks the centre of every link's rectangle on
two pages and checks where the browser arrives, walks the links with Tab and Enter, checks that
every picture loaded and that the console shows no error, and keeps a screenshot of one page at
each size in the work folder.

Usage: site_browser_test.py PAGETOOL WORKDIR
Exit status: 0 passed, 1 failed, 77 skipped (no headless Chromium can run here; the reason is
printed). Under continuous integration (CI=true in the environment) a browser that can't run fails
the test instead of skipping it, so that a passing CI always means the browser ran.
"""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import traceback
from urllib.parse import urlparse

SKIP = 77
SIZES = [(1280, 800), (640, 480)]
BACKGROUND = (800, 600)
SLOT = (120, 90)

# The document: page -> links (number, left, top, right, bottom, link page, bitmap). Page 1
# holds a dead link (page 9 has no file) and an inverted rectangle; page 2 a link whose slot
# picture shows on hover and focus.
PAGES = {
    1: [
        (0, 40, 40, 240, 190, 2, 0),
        (1, 560, 400, 300, 250, 3, 1),  # Right < Left, Bottom < Top
        (2, 600, 40, 760, 160, 9, -1),  # dead
        (4, 40, 420, 200, 560, 4, -1),
    ],
    2: [
        (0, 100, 100, 400, 300, 1, 0),
        (3, 500, 350, 780, 580, 3, -1),
    ],
    3: [(0, 0, 0, 800, 600, 1, -1)],
    4: [(7, 350, 250, 450, 350, 2, -1)],
}


def skip(reason):
    if os.environ.get("CI") == "true":
        print("FAILED: CI=true, and no headless Chromium can run here: " + reason)
        sys.exit(1)
    print("SKIPPED: no headless Chromium can run here: " + reason)
    sys.exit(SKIP)


def write_bmp(path, width, height, seed):
    """A 24-bit bottom-up BMP: a smooth gradient between two colours that differ for each seed,
    crossed by a darker band, so that pictures tell apart in a screenshot."""
    top = ((seed * 67) % 200 + 40, (seed * 131) % 200 + 40, (seed * 29) % 200 + 40)
    bottom = tuple(255 - c for c in top)
    row_size = (width * 3 + 3) & ~3
    rows = bytearray()
    for y in range(height - 1, -1, -1):
        band = 0.6 if y * 7 // height == 3 else 1.0
        row = bytearray()
        for x in range(width):
            t = (x / width + y / height) / 2
            row += bytes(int((a + (b - a) * t) * band) for a, b in
                         zip((top[2], top[1], top[0]), (bottom[2], bottom[1], bottom[0])))
        rows += row + bytes(row_size - width * 3)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + rows)


def make_document(pagetool, folder):
    os.makedirs(folder)
    slots = []
    for slot in range(2):
        path = os.path.join(folder, "slot%d.bmp" % slot)
        write_bmp(path, SLOT[0], SLOT[1], 10 + slot)
        slots.append(path)
    for page, links in PAGES.items():
        background = os.path.join(folder, "back%d.bmp" % page)
        write_bmp(background, BACKGROUND[0], BACKGROUND[1], page)
        command = [pagetool, "new", os.path.join(folder, "page%d.pag" % page),
                   "--background", background]
        for slot, path in enumerate(slots):
            command += ["--slot", "%d=%s" % (slot, path)]
        for number, left, top, right, bottom, target, bitmap in links:
            command += ["--link", "%d=%d,%d,%d,%d,%d,%d" % (number, left, top, right, bottom,
                                                            target, bitmap)]
        subprocess.run(command, check=True)


def start_browser(user_data):
    try:
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
    except ImportError as e:
        skip("python3-selenium is missing (%s)" % e)
    browser = shutil.which("chromium")
    driver_program = shutil.which("chromedriver")
    if not browser or not driver_program:
        skip("chromium or chromium-driver is not installed")
    options = webdriver.ChromeOptions()
    options.binary_location = browser
    for argument in ["--headless=new", "--no-sandbox", "--disable-gpu",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", "--no-first-run", "--disable-dev-shm-usage",
                     "--user-data-dir=" + user_data, "--window-size=1280,800"]:
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    try:
        return webdriver.Chrome(service=Service(executable_path=driver_program), options=options)
    except Exception as e:  # the browser can't start here at all
        skip("Chromium didn't start: %s" % (str(e).strip().splitlines() or [repr(e)])[0])


class BrowserCheck:
    def __init__(self, driver, site):
        self.driver = driver
        self.site = site
        self.failures = []

    def expect(self, condition, what):
        if not condition:
            self.failures.append(what)
            print("FAILED: " + what)

    def url_of(self, name):
        return "file://" + os.path.join(self.site, name)

    def current_name(self):
        return os.path.basename(urlparse(self.driver.current_url).path)

    def open(self, name):
        self.driver.get(self.url_of(name))
        self.wait_loaded()

    def wait_loaded(self):
        for _ in range(100):
            if self.driver.execute_script("return document.readyState") == "complete":
                return
            time.sleep(0.05)

    def arrive(self, expected, what):
        for _ in range(100):
            if self.current_name() == expected:
                break
            time.sleep(0.05)
        self.wait_loaded()
        self.expect(self.current_name() == expected,
                    "%s: expected %s, arrived at %s" % (what, expected, self.current_name()))

    def set_size(self, width, height):
        # The window's outer size is chosen so that the page's viewport is width x height.
        self.driver.set_window_size(width, height)
        inner = self.driver.execute_script("return [innerWidth, innerHeight]")
        self.driver.set_window_size(2 * width - inner[0], 2 * height - inner[1])
        inner = self.driver.execute_script("return [innerWidth, innerHeight]")
        self.expect(inner == [width, height], "viewport %s instead of %dx%d" % (inner, width, height))

    def check_pictures(self, name):
        broken = self.driver.execute_script(
            "return [...document.images].filter(i => !i.complete || i.naturalWidth == 0)"
            ".map(i => i.getAttribute('src'))")
        self.expect(not broken, "%s: pictures not loaded: %s" % (name, broken))

    def check_console(self, where):
        errors = [entry["message"] for entry in self.driver.get_log("browser")
                  if entry["level"] == "SEVERE"]
        self.expect(not errors, "%s: console errors: %s" % (where, errors))

    def click_at(self, x, y):
        from selenium.webdriver.common.actions.action_builder import ActionBuilder
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(int(round(x)), int(round(y)))
        actions.pointer_action.click()
        actions.perform()

    def link_centre(self, link):
        """The centre of the link's rectangle on the shown background, in viewport pixels."""
        _, left, top, right, bottom, _, _ = link
        box = self.driver.execute_script(
            "const r = document.querySelector('img.background').getBoundingClientRect();"
            "return [r.left, r.top, r.width, r.height]")
        scale_x = box[2] / BACKGROUND[0]
        scale_y = box[3] / BACKGROUND[1]
        return (box[0] + (left + right) / 2 * scale_x, box[1] + (top + bottom) / 2 * scale_y)

    def click_every_link(self, page):
        name = "page-%d.html" % page
        for link in PAGES[page]:
            self.open(name)
            x, y = self.link_centre(link)
            self.click_at(x, y)
            number, target = link[0], link[5]
            expected = "page-%d.html" % target if target in PAGES else name
            time.sleep(0.2)  # a dead link must not lead anywhere, not even late
            self.arrive(expected, "page %d, link %d clicked at (%.0f, %.0f)" % (page, number, x, y))

    def walk_with_keyboard(self, page):
        from selenium.webdriver.common.action_chains import ActionChains
        from selenium.webdriver.common.keys import Keys
        name = "page-%d.html" % page
        real = [link for link in PAGES[page] if link[5] in PAGES]
        for order, link in enumerate(real):
            self.open(name)
            ActionChains(self.driver).send_keys(Keys.TAB * (order + 1)).perform()
            focused = self.driver.execute_script(
                "const a = document.activeElement; const slot = a.querySelector('img.slot');"
                "return [a.getAttribute('aria-label'), slot && getComputedStyle(slot).visibility,"
                " getComputedStyle(a).outlineStyle]")
            label = "リンク %d → ページ %d" % (link[0], link[5])
            self.expect(focused[0] == label,
                        "%s: Tab %d focused %r, expected %r" % (name, order + 1, focused[0], label))
            self.expect(focused[2] not in ("none", ""), "%s: focus isn't visible" % name)
            if link[6] != -1:
                self.expect(focused[1] == "visible",
                            "%s: slot picture of link %d not shown on focus" % (name, link[0]))
            ActionChains(self.driver).send_keys(Keys.ENTER).perform()
            self.arrive("page-%d.html" % link[5], "%s: Enter on link %d" % (name, link[0]))

    def screenshot(self, path):
        from selenium.webdriver.common.action_chains import ActionChains
        from selenium.webdriver.common.keys import Keys
        self.open("page-1.html")
        # Link 0 focused: its outline and its slot picture show.
        ActionChains(self.driver).send_keys(Keys.TAB).perform()
        self.driver.save_screenshot(path)

    def run(self, work):
        for width, height in SIZES:
            self.set_size(width, height)
            self.open("index.html")
            self.check_pictures("index.html")
            first = self.driver.execute_script("return document.querySelector('a').getAttribute('href')")
            self.expect(first == "page-1.html", "the index's first link leads to %s" % first)
            self.driver.find_element("css selector", "a").click()
            self.arrive("page-1.html", "the index's first link")
            for page in PAGES:
                self.open("page-%d.html" % page)
                self.check_pictures("page-%d.html" % page)
            for page in (1, 2):
                self.click_every_link(page)
            self.walk_with_keyboard(1)
            self.screenshot(os.path.join(work, "site-%d.png" % width))
            self.check_console("%dx%d" % (width, height))


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    pagetool, work = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    document = os.path.join(work, "document")
    site = os.path.join(work, "site")
    make_document(pagetool, document)
    subprocess.run([pagetool, "site", os.path.join(document, "page%d.pag"), site], check=True)

    user_data = tempfile.mkdtemp(prefix="site-browser-")
    driver = start_browser(user_data)
    try:
        check = BrowserCheck(driver, site)
        check.run(work)
    except Exception:
        traceback.print_exc()
        return 1
    finally:
        driver.quit()
        shutil.rmtree(user_data, ignore_errors=True)
    if check.failures:
        print("%d checks failed" % len(check.failures))
        return 1
    print("the site works in Chromium at %s; screenshots in %s" %
          (" and ".join("%dx%d" % size for size in SIZES), work))
    return 0


if __name__ == "__main__":
    sys.exit(main())
