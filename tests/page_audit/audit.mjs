// Audits every generated page under a folder (each a CV.html beside its pictures), as a reader
// meets it in headless Chromium:
//   - axe-core at 1280 px and at 390 px wide: no violation of any rule at all;
//   - nothing scrolls sideways;
//   - one level-one heading, met before any section heading, and the photo an image named
//     "Photo de" and the name, both in the browser's own accessibility tree;
//   - printed on A4 with backgrounds: one sheet (two for the long CV), no section heading at
//     the foot of a sheet apart from its box, no box cut across sheets when it fits on one;
//   - no request leaves the page's folder;
//   - valid HTML (html-validate's standards rules).
// Usage: node audit.mjs PAGES_FOLDER [SCREENSHOT_FOLDER]
// With a screenshot folder, writes <kind>-desktop.png, <kind>-phone.png, <kind>-print.png and
// the printed sheets, <kind>-print.pdf.
// Reads the printed sheets' text with pdftotext (Debian's poppler-utils).
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync, existsSync, mkdirSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { HtmlValidate } from 'html-validate';
import puppeteer from 'puppeteer-core';

const require = createRequire(import.meta.url);
const axePath = require.resolve('axe-core/axe.min.js');

const [pagesArg, shotsArg] = process.argv.slice(2);
if (!pagesArg) {
    console.error('usage: node audit.mjs PAGES_FOLDER [SCREENSHOT_FOLDER]');
    process.exit(2);
}
const pagesFolder = resolve(pagesArg);
const shotsFolder = shotsArg ? resolve(shotsArg) : null;
if (shotsFolder) mkdirSync(shotsFolder, { recursive: true });

const widths = [
    { name: 'desktop', width: 1280, height: 900 },
    { name: 'phone', width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 2 },
];
// A4 at 96 dots per inch, less the page's 12 mm margins.
const printWidth = Math.round(((210 - 24) / 25.4) * 96);
const printHeight = ((297 - 24) / 25.4) * 96;
// Sheets each kind prints on; one unless named here.
const sheetsOf = { long: 2 };

const kinds = readdirSync(pagesFolder, { withFileTypes: true })
    .filter((entry) => entry.isDirectory() && existsSync(join(pagesFolder, entry.name, 'CV.html')))
    .map((entry) => entry.name)
    .sort();
if (kinds.length === 0) {
    console.error(`no CV.html under ${pagesFolder}`);
    process.exit(2);
}

let passed = 0;
let failed = 0;
function report(check, problems) {
    if (problems.length === 0) {
        passed += 1;
        console.log(`ok   ${check}`);
        return;
    }
    failed += 1;
    console.log(`FAIL ${check}`);
    for (const problem of problems) console.log(`       ${problem}`);
}

const validator = new HtmlValidate({
    extends: ['html-validate:standard'],
    // The program writes its pages in Windows-1252; every other charset stays an error.
    elements: ['html5', { meta: { attributes: { charset: { enum: ['/^windows-1252$/i'] } } } }],
});

async function validate(kind, file) {
    // The page is Windows-1252; the validator reads text.
    const text = new TextDecoder('windows-1252').decode(readFileSync(file));
    const result = await validator.validateString(text, file);
    const problems = result.results.flatMap((r) =>
        r.messages.map((m) => `${m.line}:${m.column} ${m.ruleId}: ${m.message}`));
    report(`${kind}: valid HTML`, problems);
}

// Headings and images in the order a screen reader meets them.
function readingOrder(node, out = []) {
    if (node.role === 'heading' || node.role === 'image' || node.role === 'img')
        out.push({ role: node.role === 'img' ? 'image' : node.role, level: node.level, name: node.name ?? '' });
    for (const child of node.children ?? []) readingOrder(child, out);
    return out;
}

async function auditAtWidth(browser, kind, url, folderUrl, viewport) {
    const page = await browser.newPage();
    const outside = [];
    await page.setRequestInterception(true);
    page.on('request', (request) => {
        if (request.url().startsWith(folderUrl)) {
            request.continue();
        } else {
            outside.push(request.url());
            request.abort();
        }
    });
    await page.setViewport(viewport);
    await page.goto(url, { waitUntil: 'load' });
    await page.evaluate(() => document.fonts.ready);

    const check = `${kind} at ${viewport.width} px`;
    const pageOutside = [...outside];
    await page.addScriptTag({ path: axePath });
    const axe = await page.evaluate(async () => {
        const results = await window.axe.run(document, { resultTypes: ['violations'] });
        return results.violations.map((v) => ({
            id: v.id,
            impact: v.impact,
            help: v.help,
            targets: v.nodes.map((n) => n.target.join(' ')).slice(0, 4),
        }));
    });
    report(`${check}: axe-core`, axe.map((v) => `${v.impact} ${v.id}: ${v.help} [${v.targets.join(', ')}]`));

    const widthProblems = await page.evaluate(() => {
        const root = document.documentElement;
        const problems = [];
        if (root.scrollWidth > root.clientWidth)
            problems.push(`page is ${root.scrollWidth} px wide in a ${root.clientWidth} px window`);
        for (const element of document.body.querySelectorAll('*')) {
            if (element.scrollWidth > element.clientWidth + 1 && getComputedStyle(element).overflowX !== 'visible')
                problems.push(`${element.tagName.toLowerCase()}.${element.className} cuts its content`);
        }
        return problems;
    });
    report(`${check}: nothing scrolls sideways`, widthProblems);

    const snapshot = await page.accessibility.snapshot({ interestingOnly: true });
    const order = readingOrder(snapshot ?? {});
    const structure = [];
    const ones = order.filter((n) => n.role === 'heading' && n.level === 1);
    if (ones.length !== 1) structure.push(`${ones.length} level-one headings`);
    else if (!ones[0].name.trim()) structure.push('the level-one heading has no text');
    const firstSection = order.findIndex((n) => n.role === 'heading' && n.level > 1);
    if (ones.length && firstSection !== -1 && order.indexOf(ones[0]) > firstSection)
        structure.push('a section heading comes before the name');
    const photos = order.filter((n) => n.role === 'image');
    if (photos.length !== 1 || !/^Photo de( \S|$)/.test(photos[0].name))
        structure.push(`images: ${JSON.stringify(photos)}`);
    report(`${check}: the name first, the photo named`, structure);
    report(`${check}: no request leaves the page's folder`, pageOutside);

    if (shotsFolder)
        await page.screenshot({ path: join(shotsFolder, `${kind}-${viewport.name}.png`), fullPage: true });
    await page.close();
}

// Text as compared between the page and its printed sheets: letters only, in one case.
function letters(text) {
    return text.normalize('NFKC').replace(/\s+/g, '').toLowerCase();
}

// Each sheet's text, in the order Chromium drew it.
function sheetTexts(pdf) {
    const text = execFileSync('pdftotext', ['-raw', '-enc', 'UTF-8', 'fd://0', '-'],
        { input: pdf, encoding: 'utf8' });
    return text.split('\f').slice(0, -1).map(letters);
}

// Every section shown, and the contact details, as laid out for print: its heading, its box
// and whether the two fit on one sheet.
function printedBlocks(page) {
    return page.evaluate((sheetHeight) => {
        const blocks = [];
        for (const block of document.querySelectorAll('.coordonnees, .rubriques > section')) {
            const style = getComputedStyle(block);
            if (style.display === 'none' || style.visibility === 'hidden') continue;
            const heading = block.querySelector('h2');
            const box = block.querySelector('.carte, .texte');
            const top = heading.getBoundingClientRect().top;
            blocks.push({
                heading: heading.innerText,
                box: box.innerText,
                fits: box.getBoundingClientRect().bottom - top <= sheetHeight,
            });
        }
        return blocks;
    }, printHeight);
}

async function auditPrint(browser, kind, url) {
    const page = await browser.newPage();
    await page.goto(url, { waitUntil: 'load' });
    await page.emulateMediaType('print');
    const pdf = Buffer.from(await page.pdf({ format: 'A4', printBackground: true, preferCSSPageSize: true }));
    const pages = (pdf.toString('latin1').match(/\/Type\s*\/Page(?![a-zA-Z])/g) ?? []).length;
    const sheets = sheetsOf[kind] ?? 1;
    report(`${kind}: prints on ${sheets} A4 sheet${sheets > 1 ? 's' : ''}`,
        pages === sheets ? [] : [`${pages} sheets`]);

    await page.setViewport({ width: printWidth, height: 1000 });
    const texts = sheetTexts(pdf);
    const sheetOf = (text) => texts.findIndex((sheet) => sheet.includes(text));
    const headings = [];
    const cut = [];
    for (const block of await printedBlocks(page)) {
        const box = letters(block.box);
        const start = letters(block.heading) + box.slice(0, 20);
        if (sheetOf(start) === -1) {
            const sheet = sheetOf(letters(block.heading)) + 1;
            headings.push(`"${block.heading}" is at the foot of sheet ${sheet}, its box on the next`);
        } else if (block.fits && sheetOf(letters(block.heading) + box) === -1) {
            const first = sheetOf(start) + 1;
            cut.push(`the box of "${block.heading}" is cut across sheets ${first} and ${first + 1}`);
        }
    }
    report(`${kind}: no heading at the foot of a sheet`, headings);
    report(`${kind}: no box cut across sheets`, cut);
    if (shotsFolder) {
        writeFileSync(join(shotsFolder, `${kind}-print.pdf`), pdf);
        await page.screenshot({ path: join(shotsFolder, `${kind}-print.png`), fullPage: true });
    }
    await page.close();
}

const userDataDir = mkdtempSync(join(tmpdir(), 'pomerel-audit-'));
const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    userDataDir,
    args: [
        '--no-sandbox',
        '--disable-gpu',
        '--disable-quic',
        '--no-first-run',
        '--disable-background-networking',
        '--disable-component-update',
        '--disable-sync',
    ],
});
try {
    for (const kind of kinds) {
        const file = join(pagesFolder, kind, 'CV.html');
        const url = pathToFileURL(file).href;
        const folderUrl = pathToFileURL(join(pagesFolder, kind)).href + '/';
        await validate(kind, file);
        for (const viewport of widths) await auditAtWidth(browser, kind, url, folderUrl, viewport);
        await auditPrint(browser, kind, url);
    }
} finally {
    await browser.close();
    rmSync(userDataDir, { recursive: true, force: true });
}
console.log(`audit: ${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
