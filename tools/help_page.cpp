#include "disc_texts.h"

namespace kvdisc {

QByteArray helpHtml()
{
    return R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>The Kel-Vardo Folivra - Help</title>
</head>
<body>
<h1 id="top">The Kel-Vardo Folivra &ndash; Help</h1>
<p>The Kel-Vardo Folivra is a reference to the Kel-Vardo cars of the model years 1955, 1956 and
1957 and to five collections built around them. Its photos, texts, page scans, sounds and movies
live on the content disc; keep the disc in the drive while you use the program.</p>

<h2>Contents</h2>
<ul>
<li><a href="#start">Starting the program</a></li>
<li><a href="#years">Years and collections</a></li>
<li><a href="#photos">Stepping through photos</a></li>
<li><a href="#docs">Documents</a></li>
<li><a href="#art">Clip art, script and emblem</a></li>
<li><a href="#pages">Brochures and ads</a></li>
<li><a href="#slides">Slide show</a></li>
<li><a href="#media">Movies and sounds</a></li>
<li><a href="#photo">The photo window</a></li>
<li><a href="#copy">Copying to the hard drive</a></li>
<li><a href="#saver">Screen saver</a></li>
<li><a href="#booklet">Printing a booklet</a></li>
<li><a href="#find">Finding words</a></li>
<li><a href="#helpmenu">The Help menu</a></li>
<li><a href="#errors">Error messages</a></li>
</ul>

<h2 id="start">Starting the program</h2>
<p>At start-up the program looks for the disc in the drives D: to Z:, plays a short sound and shows
its title for five seconds. Started with the single argument <code>HWI</code>, it uses its own folder
as the disc. If no disc is found you can insert it and press <b>Retry</b>.</p>

<h2 id="years">Years and collections</h2>
<p>Click <b>1955</b>, <b>1956</b> or <b>1957</b> to choose a model year. The <b>KelVardo Stuff</b> menu
offers Matchbook Covers, The Danbury Mint, The Franklin Mint Die Cast Models, Metal Signs and Postage
Stamps. Clicking the photo with the left mouse button moves on to the next year or collection.</p>

<h2 id="photos">Stepping through photos</h2>
<p>Use the arrows beside the photo number, or press <kbd>.</kbd> (next) and <kbd>,</kbd> (previous)
while a year button has the focus. After the last photo the first one comes again. Choose
<b>File &gt; Show File Names</b> to see each photo's file name. Double-click the photo number to
re-read the photo folder.</p>

<h2 id="docs">Documents</h2>
<p><b>Description</b>, <b>Options</b>, <b>Statistics</b>, <b>Colors</b>, <b>Models</b> and
<b>Nostalgia</b> open the texts of the chosen year in a viewer. The printer button of the viewer
prints the document. For the collections, <b>Details</b> shows a short text about the piece in the
photo; click the text to hide it.</p>

<h2 id="art">Clip art, script and emblem</h2>
<p>These buttons lay the year's artwork over the photo. Click a picture to hide it; press the right
mouse button on it to copy it to the clipboard.</p>

<h2 id="pages">Brochures and ads</h2>
<p><b>Brochures</b> shows the sales brochure pages of the year at full size; <b>Ads</b> shows the
magazine advertisements, first as a whole page. Use the arrows, or the <kbd>,</kbd> and <kbd>.</kbd>
keys, to turn pages; click the page to zoom; press the right mouse button to close.</p>

<h2 id="slides">Slide show</h2>
<p><b>SlideShow</b> shows all photos one after the other, in order or at random, with a delay you
choose.</p>
<p>Keys: <b>.</b> and <b>,</b> step one photo on or back, <b>P</b> plays, <b>Shift+P</b> pauses,
<b>Page Down</b> and <b>Page Up</b> jump ten photos, <b>Ctrl+Enter</b> returns to the main window with
the photo on show, and <b>Esc</b> closes the slide show. The media keys of a keyboard work too.</p>

<h2 id="media">Movies and sounds</h2>
<p><b>Movies</b> opens the six short films; pick one and press play. <b>Sound Effects</b> offers 29 car
sounds and <b>See the U.S.A.</b> plays the song. If a movie does not play, the <b>Help</b> button of the
movie window offers to install the video driver from the disc (Windows only).</p>

<h2 id="photo">The photo window</h2>
<p>Press the right mouse button on the photo to open the photo window. From there you can copy the
photo to a file or to the clipboard, print it, and add it to or remove it from the screen-saver
photo set.</p>

<h2 id="copy">Copying to the hard drive</h2>
<p>The <b>File</b> menu copies all photos or all movies into the program's folder, which makes them
faster to show, and removes them again.</p>

<h2 id="saver">Screen saver</h2>
<p><b>File &gt; Install Screen saver</b> installs the Kel-Vardo screen saver for all photos or only the
selected ones, with the delay you set.</p>

<h2 id="booklet">Printing a booklet</h2>
<p><b>File &gt; PrintBooklet</b> opens the booklet panel over the photo. Tick what the booklet should hold:</p>
<ul>
<li><b>Cover</b> &ndash; one page with the title, the 1957 clip art and the maker's mark;</li>
<li><b>Introduction</b> &ndash; the introduction to the title;</li>
<li><b>Description</b> and <b>Details</b> &ndash; for every year from the <b>From</b> year to the
<b>To</b> year, the year's description, then its options, statistics and colors.</li>
</ul>
<p>Choose both years when you tick Description or Details; the To year may not be earlier than the
From year. Press <b>Print</b>; when the booklet is done the button reads <b>Print Again</b> and prints
the same booklet once more. <b>Clear</b> starts over. Without a printer the pages go to a PDF file you
name. <b>File &gt; Print Setup</b> chooses the printer and the paper. See also
<a href="#errors">Error messages</a>.</p>
<p><a href="#top">Back to the contents</a></p>

<h2 id="find">Finding words</h2>
<p><b>Help &gt; Find in Documents...</b> (or <kbd>Ctrl+F</kbd>) searches every document and photo
caption of the disc as you type. A text is found when it holds every word you type; a word also
finds the words it begins (<i>carb</i> finds <i>carburettor</i>), without regard to capitals or
accents. Put words in double quotes to find them as a phrase. <i>Kel-Vardo</i>, <i>Kel Vardo</i>
and <i>KelVardo</i> find each other, as do <i>4-barrel</i> and <i>four-barrel</i>. Texts whose
title holds the words come first, then those with the words as typed and close together. When
little is found, a line offers a spelling the disc uses; click it or press <kbd>Enter</kbd>.</p>
<p>Each result shows where it comes from and the passage where the words meet. Press
<kbd>Enter</kbd> or double-click a result to open it: a document opens in the viewer with the
words selected; a photo caption shows its photo with the caption, and <kbd>.</kbd> and
<kbd>,</kbd> step on from there.</p>
<p><a href="#top">Back to the contents</a></p>

<h2 id="helpmenu">The Help menu</h2>
<p><b>Contents</b> (or <kbd>F1</kbd>) opens this help. <b>Visit the Orvanta Software website</b> and
<b>Register On-line</b> open the maker's pages in your web browser; <b>Print Registration Form</b>
shows the registration form, which the printer button of the viewer prints. <b>About</b> shows the
maker's address. <b>File &gt; Check Screen Resolution</b> tells you whether your screen is set to
800 by 600 pixels, the size the title was made for.</p>
<p><a href="#top">Back to the contents</a></p>

<h2 id="errors">Error messages</h2>
<p>Messages carry a number such as <code>ER023</code>. Most of them mean that a file of the disc could
not be read: check that the disc is in the drive and try again. <code>ER034</code> and <code>ER036</code>
come from the <a href="#booklet">booklet panel</a> when the years are missing or in the wrong order;
<code>ER040</code> means a file for the booklet could not be read.</p>
<p><a href="#top">Back to the contents</a></p>
</body>
</html>
)";
}

} // namespace kvdisc
